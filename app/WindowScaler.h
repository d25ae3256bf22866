// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows an 800x600 picture in a window k times as large. The screens draw on the
// scaler's canvas, an off-screen surface in the window's pixel format; each frame
// only the changed rectangles of the canvas are scaled into the window, either by
// repeating every pixel k x k times or smoothly (bilinear, edges held). A window
// rectangle depends on the canvas alone, so a frame scaled rectangle by rectangle
// is the same as the whole canvas scaled at once.
#include <SDL.h>

#include <cstdint>
#include <vector>

class WindowScaler {
 public:
  static constexpr int kLargestScale = 4;

  // The window must be canvasWidth*scale x canvasHeight*scale pixels. Smooth scaling
  // needs 32-bit pixels; other formats repeat pixels.
  WindowScaler(SDL_Surface* window, int canvasWidth, int canvasHeight, int scale, bool smooth);
  ~WindowScaler();
  WindowScaler(const WindowScaler&) = delete;
  WindowScaler& operator=(const WindowScaler&) = delete;

  // The canvas; none when it could not be made (the library's error says why).
  SDL_Surface* Canvas() const { return canvas_; }
  SDL_Surface* Window() const { return window_; }
  int Scale() const { return scale_; }
  bool Smooth() const { return smooth_; }

  // Scales the changed canvas rectangles (clipped to the canvas) into the window
  // and returns the window rectangles that changed.
  std::vector<SDL_Rect> ScaleRects(const std::vector<SDL_Rect>& rects);
  // Scales the whole canvas.
  void ScaleAll();

 private:
  struct Area {
    int left, top, right, bottom;  // canvas pixels, right and bottom excluded
  };
  void ScaleArea(const Area& area);
  void RepeatPixels(const Area& area);
  void Interpolate(const Area& area);
  void HorizontalRow(int sourceRow, const Area& area, uint16_t* out) const;

  SDL_Surface* window_;
  SDL_Surface* canvas_ = nullptr;
  int scale_;
  bool smooth_;
  // Per position inside a k-pixel block: the weights (in 2k-ths) of the pixel before,
  // the pixel itself and the pixel after.
  std::vector<int> before_, after_;
  std::vector<uint16_t> rows_;
};
