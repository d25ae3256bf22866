// SPDX-License-Identifier: GPL-3.0-or-later
#include "kit/Writers.h"

#include <gif_lib.h>
#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "kit/Quantise.h"

namespace art {

bool MakeParentDirs(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
  return !ec;
}

// Straight colours of the whole canvas; clear pixels take the average colour of their
// covered neighbours, spread outwards a few times.
static std::vector<Pixel> BledPixels(const Canvas& c) {
  int w = c.Width(), h = c.Height();
  std::vector<Pixel> px(w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[y * w + x] = c.Get(x, y);
  std::vector<uint8_t> known(w * h);
  for (int i = 0; i < w * h; ++i) known[i] = px[i].a > 0;
  for (int pass = 0; pass < 6; ++pass) {
    std::vector<uint8_t> next = known;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (known[y * w + x]) continue;
        int r = 0, g = 0, b = 0, n = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            int xx = x + dx, yy = y + dy;
            if (xx < 0 || yy < 0 || xx >= w || yy >= h || !known[yy * w + xx]) continue;
            const Pixel& q = px[yy * w + xx];
            r += q.r, g += q.g, b += q.b, ++n;
          }
        if (n == 0) continue;
        Pixel& p = px[y * w + x];
        p.r = r / n, p.g = g / n, p.b = b / n;
        next[y * w + x] = 1;
      }
    known.swap(next);
  }
  return px;
}

bool WriteJpeg(const std::string& path, const Canvas& c, int quality) {
  MakeParentDirs(path);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::vector<Pixel> px = BledPixels(c);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = c.Width();
  cinfo.image_height = c.Height();
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  // Full-resolution colour: small pictures with sharp coloured edges suffer from subsampling.
  for (int i = 0; i < cinfo.num_components; ++i) {
    cinfo.comp_info[i].h_samp_factor = 1;
    cinfo.comp_info[i].v_samp_factor = 1;
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(c.Width() * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    int y = cinfo.next_scanline;
    for (int x = 0; x < c.Width(); ++x) {
      const Pixel& p = px[y * c.Width() + x];
      row[x * 3] = p.r, row[x * 3 + 1] = p.g, row[x * 3 + 2] = p.b;
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(f) == 0;
}

static bool WriteIndexedGif(const std::string& path, int w, int h,
                            const std::vector<uint8_t>& index, const std::vector<Pixel>& palette) {
  MakeParentDirs(path);
  int err = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &err);
  if (!gif) return false;
  std::vector<GifColorType> colours(256);
  for (size_t i = 0; i < palette.size() && i < 256; ++i)
    colours[i] = GifColorType{palette[i].r, palette[i].g, palette[i].b};
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < h; ++y) {
    std::vector<GifPixelType> line(index.begin() + y * w, index.begin() + (y + 1) * w);
    ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
  }
  GifFreeMapObject(map);
  return EGifCloseFile(gif, &err) == GIF_OK && ok;
}

bool WriteGif(const std::string& path, const Canvas& c) {
  std::vector<Pixel> px = BledPixels(c);
  for (auto& p : px) p.a = 255;
  std::vector<Pixel> palette;
  std::vector<uint8_t> index;
  QuantiseMedianCut(px, 256, palette, index);
  return WriteIndexedGif(path, c.Width(), c.Height(), index, palette);
}

bool WriteMaskGif(const std::string& path, const Canvas& c) {
  std::vector<Pixel> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = Pixel{uint8_t(i), uint8_t(i), uint8_t(i), 255};
  std::vector<uint8_t> index(c.Width() * c.Height());
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) index[y * c.Width() + x] = c.Get(x, y).a;
  return WriteIndexedGif(path, c.Width(), c.Height(), index, palette);
}

bool WriteTga(const std::string& path, const Canvas& c) {
  MakeParentDirs(path);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  uint8_t head[18] = {0};
  head[2] = 2;  // uncompressed true colour
  head[12] = c.Width() & 255, head[13] = c.Width() >> 8;
  head[14] = c.Height() & 255, head[15] = c.Height() >> 8;
  head[16] = 32;
  head[17] = 0x28;  // 8 alpha bits, top-left origin
  std::fwrite(head, 1, sizeof head, f);
  std::vector<uint8_t> row(c.Width() * 4);
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x) {
      Pixel p = c.Get(x, y);
      row[x * 4] = p.b, row[x * 4 + 1] = p.g, row[x * 4 + 2] = p.r, row[x * 4 + 3] = p.a;
    }
    std::fwrite(row.data(), 1, row.size(), f);
  }
  return std::fclose(f) == 0;
}

static void Put16(std::vector<uint8_t>& v, unsigned x) {
  v.push_back(x & 255), v.push_back((x >> 8) & 255);
}
static void Put32(std::vector<uint8_t>& v, unsigned x) { Put16(v, x & 0xFFFF), Put16(v, x >> 16); }

bool WriteBmp(const std::string& path, const Canvas& c) {
  MakeParentDirs(path);
  int w = c.Width(), h = c.Height();
  int stride = (w * 3 + 3) & ~3;
  std::vector<uint8_t> v;
  v.push_back('B'), v.push_back('M');
  Put32(v, 54 + stride * h), Put32(v, 0), Put32(v, 54);
  Put32(v, 40), Put32(v, w), Put32(v, h), Put16(v, 1), Put16(v, 24);
  Put32(v, 0), Put32(v, stride * h), Put32(v, 2835), Put32(v, 2835), Put32(v, 0), Put32(v, 0);
  for (int y = h - 1; y >= 0; --y) {
    size_t start = v.size();
    for (int x = 0; x < w; ++x) {
      Pixel p = c.Get(x, y);
      v.push_back(p.b * p.a / 255), v.push_back(p.g * p.a / 255), v.push_back(p.r * p.a / 255);
    }
    while (v.size() - start < size_t(stride)) v.push_back(0);
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fwrite(v.data(), 1, v.size(), f);
  return std::fclose(f) == 0;
}

bool WritePng(const std::string& path, const Canvas& c) {
  MakeParentDirs(path);
  c.Flush();
  return cairo_surface_write_to_png(c.Surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace art
