// Placeholder replaced by the frame; keeps the app library non-empty.
namespace app { const char* const kCaption = "Ostrel Trains"; }
