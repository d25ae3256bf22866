// Entry point of Ostrel Trains: the frame in app/ does all the work.
int main() { return 0; }
