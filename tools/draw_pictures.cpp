// Draws the program's icon and pictures from simple geometry and writes them as ICO and BMP
// files into the folder named on the command line. Same bytes on every run.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Vec {
  double x = 0;
  double y = 0;
};

Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double length(Vec a) { return std::sqrt(dot(a, a)); }

// Unit vector at an angle in degrees; angles grow clockwise on screen (y points down).
Vec direction(double degrees) {
  double radians = degrees * std::numbers::pi / 180.0;
  return {std::cos(radians), std::sin(radians)};
}

// Channels 0..255, alpha 0..1, not premultiplied.
struct Colour {
  double r = 0;
  double g = 0;
  double b = 0;
  double a = 1;
};

Colour rgb(int r, int g, int b, double a = 1.0) { return {double(r), double(g), double(b), a}; }

Colour mix(Colour from, Colour to, double t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

// A shape is its signed distance in drawing units: negative inside, zero on the edge.
using Shape = std::function<double(Vec)>;
using Paint = std::function<Colour(Vec)>;

Paint solid(Colour c) {
  return [c](Vec) { return c; };
}

Paint gradient(Colour from, Vec start, Colour to, Vec end) {
  Vec along = end - start;
  double span = dot(along, along);
  return [=](Vec p) { return mix(from, to, std::clamp(dot(p - start, along) / span, 0.0, 1.0)); };
}

double segment_distance(Vec p, Vec a, Vec b) {
  Vec ab = b - a;
  double t = std::clamp(dot(p - a, ab) / dot(ab, ab), 0.0, 1.0);
  return length(p - (a + ab * t));
}

Shape disc(Vec centre, double radius) {
  return [=](Vec p) { return length(p - centre) - radius; };
}

// A pen line through the points with round ends and joins.
Shape stroke(std::vector<Vec> points, double half_width) {
  return [=](Vec p) {
    double best = 1e9;
    for (size_t i = 1; i < points.size(); ++i) {
      best = std::min(best, segment_distance(p, points[i - 1], points[i]));
    }
    return best - half_width;
  };
}

Shape polygon(std::vector<Vec> corners) {
  return [=](Vec p) {
    double best = 1e9;
    bool inside = false;
    for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      Vec a = corners[i];
      Vec b = corners[j];
      best = std::min(best, segment_distance(p, a, b));
      if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (b.x - a.x) * (p.y - a.y) / (b.y - a.y)) {
        inside = !inside;
      }
    }
    return inside ? -best : best;
  };
}

Shape box(Vec low, Vec high) { return polygon({low, {high.x, low.y}, high, {low.x, high.y}}); }

// A band of a circle from one angle clockwise to another, with round ends.
Shape arc(Vec centre, double radius, double half_width, double from, double to) {
  Vec start = centre + direction(from) * radius;
  Vec end = centre + direction(to) * radius;
  return [=](Vec p) {
    Vec d = p - centre;
    double angle = std::atan2(d.y, d.x) * 180.0 / std::numbers::pi;
    while (angle < from) angle += 360.0;
    while (angle >= from + 360.0) angle -= 360.0;
    double distance =
        angle <= to ? std::abs(length(d) - radius) : std::min(length(p - start), length(p - end));
    return distance - half_width;
  };
}

Shape unite(std::vector<Shape> pieces) {
  return [=](Vec p) {
    double best = 1e9;
    for (const Shape& piece : pieces) best = std::min(best, piece(p));
    return best;
  };
}

Shape cut(Shape from, Shape away) {
  return [=](Vec p) { return std::max(from(p), -away(p)); };
}

class Canvas {
 public:
  // scale: pixels per drawing unit, so one drawing serves several sizes.
  Canvas(int width, int height, double scale)
      : width_(width),
        height_(height),
        scale_(scale),
        pixels_(width * height, Colour{0, 0, 0, 0}) {}

  int width() const { return width_; }
  int height() const { return height_; }
  const Colour& at(int x, int y) const { return pixels_[y * width_ + x]; }

  // Paints the shape grown by `grow` units; edges are smoothed over one pixel.
  void fill(const Shape& shape, const Paint& paint, double grow = 0) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        Vec p{(x + 0.5) / scale_, (y + 0.5) / scale_};
        double cover = std::clamp(0.5 - (shape(p) - grow) * scale_, 0.0, 1.0);
        if (cover <= 0) continue;
        Colour c = paint(p);
        blend(pixels_[y * width_ + x], c, cover * c.a);
      }
    }
  }

  // The shape with an edge of the given colour and width around it.
  void outlined(const Shape& shape, const Paint& body, Colour edge, double edge_width) {
    fill(shape, solid(edge), edge_width);
    fill(shape, body);
  }

 private:
  static void blend(Colour& under, Colour over, double alpha) {
    double total = alpha + under.a * (1 - alpha);
    if (total <= 0) return;
    auto channel = [&](double o, double u) {
      return (o * alpha + u * under.a * (1 - alpha)) / total;
    };
    under = {channel(over.r, under.r), channel(over.g, under.g), channel(over.b, under.b), total};
  }

  int width_;
  int height_;
  double scale_;
  std::vector<Colour> pixels_;
};

uint8_t byte(double channel) { return uint8_t(std::lround(std::clamp(channel, 0.0, 255.0))); }

class Bytes {
 public:
  void u8(unsigned v) { data.push_back(uint8_t(v)); }
  void u16(unsigned v) {
    u8(v & 0xff);
    u8(v >> 8 & 0xff);
  }
  void u32(uint32_t v) {
    u16(v & 0xffff);
    u16(v >> 16);
  }
  std::vector<uint8_t> data;
};

void write_file(const std::filesystem::path& path, const std::vector<uint8_t>& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
  std::cout << path.string() << '\n';
}

using Rgb = std::array<uint8_t, 3>;

// 24-bit, bottom-up, uncompressed, behind the usual file header.
std::vector<uint8_t> bmp24(int width, int height, const std::function<Rgb(int, int)>& pixel) {
  uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
  uint32_t image_size = stride * uint32_t(height);
  Bytes out;
  out.u8('B');
  out.u8('M');
  out.u32(14 + 40 + image_size);
  out.u32(0);
  out.u32(14 + 40);
  out.u32(40);
  out.u32(uint32_t(width));
  out.u32(uint32_t(height));
  out.u16(1);
  out.u16(24);
  out.u32(0);
  out.u32(image_size);
  out.u32(2835);  // 72 dpi
  out.u32(2835);
  out.u32(0);
  out.u32(0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      Rgb c = pixel(x, y);
      out.u8(c[2]);
      out.u8(c[1]);
      out.u8(c[0]);
    }
    for (uint32_t pad = uint32_t(width) * 3; pad < stride; ++pad) out.u8(0);
  }
  return out.data;
}

// The bottom-left pixel's colour is the one the buttons leave out; nothing drawn uses it.
constexpr Rgb kKey{255, 0, 255};
// Half-covered edge pixels are finished against the usual button face.
constexpr Colour kButtonFace{240, 240, 240, 1};
constexpr double kSolidEnough = 0.4;

std::vector<uint8_t> keyed_bmp(const Canvas& canvas) {
  if (canvas.at(0, canvas.height() - 1).a >= kSolidEnough) {
    throw std::logic_error("the bottom-left pixel must stay background");
  }
  return bmp24(canvas.width(), canvas.height(), [&](int x, int y) {
    Colour c = canvas.at(x, y);
    if (c.a < kSolidEnough) return kKey;
    Colour shown = mix(kButtonFace, Colour{c.r, c.g, c.b, 1}, c.a);
    Rgb out{byte(shown.r), byte(shown.g), byte(shown.b)};
    if (out == kKey) out[1] = 1;
    return out;
  });
}

std::vector<uint8_t> opaque_bmp(const Canvas& canvas) {
  return bmp24(canvas.width(), canvas.height(), [&](int x, int y) {
    Colour c = canvas.at(x, y);
    return Rgb{byte(c.r), byte(c.g), byte(c.b)};
  });
}

// Classic icon file: each image a 32-bit bitmap with alpha plus the 1-bit mask old systems use.
std::vector<uint8_t> ico(const std::vector<const Canvas*>& images) {
  std::vector<std::vector<uint8_t>> bodies;
  for (const Canvas* image : images) {
    int w = image->width();
    int h = image->height();
    uint32_t mask_stride = ((uint32_t(w) + 31) / 32) * 4;
    Bytes body;
    body.u32(40);
    body.u32(uint32_t(w));
    body.u32(uint32_t(h * 2));  // colour and mask stacked
    body.u16(1);
    body.u16(32);
    body.u32(0);
    body.u32(uint32_t(w * h * 4) + mask_stride * uint32_t(h));
    body.u32(0);
    body.u32(0);
    body.u32(0);
    body.u32(0);
    for (int y = h - 1; y >= 0; --y) {
      for (int x = 0; x < w; ++x) {
        Colour c = image->at(x, y);
        uint8_t alpha = byte(c.a * 255);
        body.u8(alpha ? byte(c.b) : 0);
        body.u8(alpha ? byte(c.g) : 0);
        body.u8(alpha ? byte(c.r) : 0);
        body.u8(alpha);
      }
    }
    for (int y = h - 1; y >= 0; --y) {
      std::vector<uint8_t> row(mask_stride, 0);
      for (int x = 0; x < w; ++x) {
        if (image->at(x, y).a < 0.5) row[x / 8] |= uint8_t(0x80 >> (x % 8));
      }
      for (uint8_t b : row) body.u8(b);
    }
    bodies.push_back(body.data);
  }
  Bytes out;
  out.u16(0);
  out.u16(1);
  out.u16(uint32_t(images.size()));
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.u8(uint32_t(images[i]->width()) & 0xff);  // 0 would mean 256
    out.u8(uint32_t(images[i]->height()) & 0xff);
    out.u8(0);
    out.u8(0);
    out.u16(1);
    out.u16(32);
    out.u32(uint32_t(bodies[i].size()));
    out.u32(offset);
    offset += uint32_t(bodies[i].size());
  }
  for (const auto& body : bodies) out.data.insert(out.data.end(), body.begin(), body.end());
  return out.data;
}

// ---- shared pieces of the drawings (32 units across) ----

const Colour kGreenLight = rgb(128, 214, 92);
const Colour kGreenDark = rgb(36, 140, 40);
const Colour kGreenEdge = rgb(20, 84, 24);

Paint green_paint() { return gradient(kGreenLight, {0, 6}, kGreenDark, {0, 27}); }

Shape check_mark() { return stroke({{6.5, 16.5}, {13, 23}, {25.5, 8.5}}, 3.2); }

// One cube seen from above at an angle: light top, two shaded sides.
void cube(Canvas& canvas, Vec top, double edge) {
  double half = edge * std::sqrt(3.0) / 2;
  Vec left = top + Vec{-half, edge / 2};
  Vec right = top + Vec{half, edge / 2};
  Vec front = top + Vec{0, edge};
  Vec down{0, edge};
  Shape roof = polygon({top, right, front, left});
  Shape west = polygon({left, front, front + down, left + down});
  Shape east = polygon({front, right, right + down, front + down});
  canvas.fill(unite({roof, west, east}), solid(kGreenEdge), 0.9);
  canvas.fill(roof, solid(rgb(168, 230, 120)));
  canvas.fill(west, gradient(rgb(92, 186, 64), left, rgb(60, 156, 46), front + down));
  canvas.fill(east, gradient(rgb(44, 128, 38), front, rgb(30, 100, 30), right + down));
}

// ---- the pictures ----

// The program's icon: a large dark figure seven with a white four-pane window at its lower left.
Canvas draw_icon(int size) {
  // The small one is drawn on its own pixel grid so that the panes stay apart.
  bool small = size < 24;
  Canvas canvas(size, size, small ? 1.0 : 1.0 * size / 32);
  Shape seven = small
                    ? polygon({{3, 1}, {15.5, 1}, {15.5, 4}, {11.5, 16}, {8, 16}, {12, 4}, {3, 4}})
                    : polygon({{6, 3.5},
                               {28.5, 3.5},
                               {28.5, 9},
                               {20.5, 28.5},
                               {13.5, 28.5},
                               {21.8, 9.5},
                               {6, 9.5}});
  canvas.fill(seven, solid(rgb(255, 255, 255, small ? 0.75 : 0.9)), small ? 0.7 : 1.0);
  double top = small ? 1 : 4;
  double bottom = small ? 15 : 28;
  canvas.fill(seven, gradient(rgb(74, 84, 100), {0, top}, rgb(22, 27, 36), {0, bottom}));

  const Colour frame = rgb(30, 36, 46);
  Paint glass = gradient(rgb(255, 255, 255), {0, 0}, rgb(214, 226, 238), {size * 0.5, size * 1.0});
  if (small) {
    canvas.fill(box({0, 9}, {7, 16}), solid(frame));
    for (Vec pane : {Vec{1, 10}, Vec{4, 10}, Vec{1, 13}, Vec{4, 13}}) {
      canvas.fill(box(pane, pane + Vec{2, 2}), glass);
    }
    return canvas;
  }
  Vec low{2.5, 17};
  Vec high{13.5, 28};
  double line = 1.3;
  Vec middle = (low + high) * 0.5;
  Shape pane_frame = box(low, high);
  canvas.fill(pane_frame, solid(frame), line);
  canvas.fill(pane_frame, glass);
  canvas.fill(unite({box({middle.x - line / 2, low.y}, {middle.x + line / 2, high.y}),
                     box({low.x, middle.y - line / 2}, {high.x, middle.y + line / 2})}),
              solid(frame));
  return canvas;
}

// A green check mark.
Canvas draw_apply(int size) {
  Canvas canvas(size, size, size / 32.0);
  canvas.outlined(check_mark(), green_paint(), kGreenEdge, 1.0);
  return canvas;
}

// A green cross.
Canvas draw_close() {
  Canvas canvas(32, 32, 1);
  Shape cross =
      unite({stroke({{8.5, 8.5}, {23.5, 23.5}}, 3.3), stroke({{23.5, 8.5}, {8.5, 23.5}}, 3.3)});
  canvas.outlined(cross, green_paint(), kGreenEdge, 1.0);
  return canvas;
}

// A green circular arrow running clockwise, its head at the top pointing right.
Canvas draw_refresh() {
  Canvas canvas(32, 32, 1);
  Vec centre{15.5, 17};
  double radius = 8.5;
  double head_at = 265;
  Vec out = direction(head_at);
  Vec along = direction(head_at + 90);
  Vec base = centre + out * radius;
  Shape head = polygon({base + out * 6, base + along * 7, base - out * 6});
  Shape band = arc(centre, radius, 2.6, -5, head_at + 1);
  canvas.outlined(unite({band, head}), green_paint(), kGreenEdge, 1.0);
  return canvas;
}

// A white question mark on a blue disc.
Canvas draw_about() {
  Canvas canvas(32, 32, 1);
  Shape ball = disc({16, 16}, 14);
  canvas.outlined(ball, gradient(rgb(120, 178, 246), {0, 3}, rgb(24, 76, 178), {0, 29}),
                  rgb(14, 46, 118), 1.0);
  canvas.fill(disc({16, 10}, 8.5), solid(rgb(255, 255, 255, 0.18)));
  Vec bowl{16, 11.5};
  Shape hook = unite({arc(bowl, 4.6, 1.9, 180, 405),
                      stroke({bowl + direction(45) * 4.6, {16, 17.5}, {16, 18.5}}, 1.9)});
  Shape mark = unite({hook, disc({16, 23.6}, 2.2)});
  canvas.fill(mark, solid(rgb(10, 40, 110, 0.55)), 1.0);
  canvas.fill(mark, solid(rgb(255, 255, 255)));
  return canvas;
}

// A yellow arrow pointing down into two green cubes.
Canvas draw_export() {
  Canvas canvas(32, 32, 1);
  cube(canvas, {9.5, 15.5}, 7.5);
  cube(canvas, {22.5, 15.5}, 7.5);
  Shape arrow = polygon({{13.5, 2}, {18.5, 2}, {18.5, 9}, {23, 9}, {16, 16.5}, {9, 9}, {13.5, 9}});
  canvas.outlined(arrow, gradient(rgb(255, 236, 110), {0, 2}, rgb(236, 164, 0), {0, 16}),
                  rgb(140, 92, 0), 1.0);
  return canvas;
}

// Three green cubes stacked in a small pyramid.
Canvas draw_defaults() {
  Canvas canvas(32, 32, 1);
  cube(canvas, {16, 2.5}, 7.5);
  cube(canvas, {9.5, 13.5}, 7.5);
  cube(canvas, {22.5, 13.5}, 7.5);
  return canvas;
}

// ---- a tiny font of our own for the maker's name ----

struct Glyph {
  char letter;
  std::array<std::string_view, 7> rows;
};

constexpr std::array kGlyphs{
    Glyph{'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    Glyph{'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    Glyph{'u', {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"}},
    Glyph{'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."}},
    Glyph{'l', {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    Glyph{'m', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#...#"}},
    Glyph{'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
    Glyph{'r', {".....", ".....", "#.##.", "##...", "#....", "#....", "#...."}},
    Glyph{'k', {"#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."}},
    Glyph{'b', {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "####."}},
    Glyph{'s', {".....", ".....", ".####", "#....", ".###.", "....#", "####."}},
    Glyph{'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    Glyph{'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
    Glyph{'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
    Glyph{'h', {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
    Glyph{'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
    Glyph{'w', {".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}},
};

const Glyph& glyph(char letter) {
  for (const Glyph& g : kGlyphs) {
    if (g.letter == letter) return g;
  }
  throw std::logic_error(std::string("no glyph for ") + letter);
}

// The first and one past the last inked column, so narrow letters sit close.
std::pair<int, int> inked_columns(const Glyph& g) {
  int first = 5;
  int last = 0;
  for (std::string_view row : g.rows) {
    for (int c = 0; c < 5; ++c) {
      if (row[c] == '#') {
        first = std::min(first, c);
        last = std::max(last, c + 1);
      }
    }
  }
  return {first, last};
}

int text_columns(std::string_view text) {
  int columns = 0;
  for (char letter : text) {
    auto [first, last] = inked_columns(glyph(letter));
    columns += last - first + 1;
  }
  return columns - 1;
}

// The text as square dots `cell` units wide, its top-left corner at `origin`.
Shape text(std::string_view words, Vec origin, double cell) {
  std::vector<Shape> dots;
  double x = origin.x;
  for (char letter : words) {
    const Glyph& g = glyph(letter);
    auto [first, last] = inked_columns(g);
    for (int r = 0; r < 7; ++r) {
      for (int c = first; c < last; ++c) {
        if (g.rows[r][c] != '#') continue;
        Vec low{x + (c - first) * cell, origin.y + r * cell};
        dots.push_back(box(low, low + Vec{cell, cell}));
      }
    }
    x += (last - first + 1) * cell;
  }
  return unite(dots);
}

Vec bezier(Vec a, Vec control, Vec b, double t) {
  return a * ((1 - t) * (1 - t)) + control * (2 * (1 - t) * t) + b * (t * t);
}

// The maker's logo: a quill pen over a stroke of ink, and the maker's name "Fernhollow" below.
Canvas draw_maker() {
  Canvas canvas(147, 110, 1);
  // Only the top-left 145x105 pixels show; the card ends there.
  canvas.fill(box({-1, -1}, {148, 111}), solid(rgb(240, 240, 240)));
  Shape card = box({0.5, 0.5}, {144.5, 104.5});
  canvas.fill(card, solid(rgb(188, 200, 214)), 0.5);
  canvas.fill(card, gradient(rgb(255, 255, 255), {0, 0}, rgb(226, 236, 246), {0, 105}), -0.5);

  // The feather: a vane either side of a curved shaft from the nib up to the tip.
  Vec nib{34, 51};
  Vec bend{62, 10};
  Vec tip{124, 6};
  constexpr int kSteps = 60;
  constexpr int kVaneStart = 11;  // the bare quill below the vane
  std::vector<Vec> shaft;
  std::vector<Vec> left;
  std::vector<Vec> right;
  for (int i = 0; i <= kSteps; ++i) {
    double t = double(i) / kSteps;
    Vec p = bezier(nib, bend, tip, t);
    Vec ahead = bezier(nib, bend, tip, std::min(t + 0.01, 1.0)) -
                bezier(nib, bend, tip, std::max(t - 0.01, 0.0));
    ahead = ahead * (1 / length(ahead));
    Vec normal{ahead.y, -ahead.x};
    double s = std::max(0.0, double(i - kVaneStart) / (kSteps - kVaneStart));
    double swell = std::sin(std::numbers::pi * std::pow(s, 0.75));
    shaft.push_back(p);
    left.push_back(p + normal * (12.5 * swell));
    right.push_back(p - normal * (7.5 * swell));
  }
  std::vector<Vec> vane(left.begin() + kVaneStart, left.end());
  vane.insert(vane.end(), right.rbegin(), right.rend() - kVaneStart);
  // Notches where the barbs divide, slanting back from the edges towards the shaft.
  std::vector<Shape> notches;
  auto notch = [&](Vec edge, Vec root, double depth) {
    Vec inner = root + (edge - root) * depth;
    notches.push_back(stroke({edge + (edge - inner) * 0.2, inner}, 0.75));
  };
  for (int i : {25, 37, 47}) notch(left[i], shaft[i - 8], 0.35);
  for (int i : {31, 43}) notch(right[i], shaft[i - 6], 0.3);
  Shape feather = cut(polygon(vane), unite(notches));
  canvas.outlined(feather, gradient(rgb(70, 170, 196), {120, 6}, rgb(22, 88, 128), {40, 50}),
                  rgb(16, 60, 92), 0.9);
  canvas.fill(stroke(shaft, 1.1), gradient(rgb(56, 66, 80), nib, rgb(220, 232, 240), tip));
  // The nib and the line it has just written.
  canvas.fill(polygon({nib + Vec{-2.5, -1.5}, nib + Vec{2.5, 1.5}, nib + Vec{-5, 8}}),
              solid(rgb(34, 40, 50)));
  std::vector<Vec> ink;
  for (int i = 0; i <= 40; ++i) {
    double t = i / 40.0;
    ink.push_back({29 + 92 * t, 56 + 1.6 * std::sin(t * 2 * std::numbers::pi) - 1.2 * t});
  }
  canvas.fill(stroke(ink, 0.9), gradient(rgb(34, 40, 50), {29, 0}, rgb(34, 40, 50, 0.1), {121, 0}));

  const double big = 2;
  double big_width = text_columns("Fernhollow") * big;
  canvas.fill(text("Fernhollow", {std::round((145 - big_width) / 2), 66}, big),
              gradient(rgb(44, 54, 70), {0, 66}, rgb(20, 26, 36), {0, 80}));
  return canvas;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: draw_pictures OUTPUT_FOLDER\n";
    return 2;
  }
  try {
    std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    Canvas big = draw_icon(32);
    Canvas small = draw_icon(16);
    write_file(folder / "quillmark.ico", ico({&big, &small}));
    write_file(folder / "apply.bmp", keyed_bmp(draw_apply(32)));
    write_file(folder / "close.bmp", keyed_bmp(draw_close()));
    write_file(folder / "refresh.bmp", keyed_bmp(draw_refresh()));
    write_file(folder / "about.bmp", keyed_bmp(draw_about()));
    write_file(folder / "export.bmp", keyed_bmp(draw_export()));
    write_file(folder / "defaults.bmp", keyed_bmp(draw_defaults()));
    write_file(folder / "check.bmp", keyed_bmp(draw_apply(18)));
    write_file(folder / "maker.bmp", opaque_bmp(draw_maker()));
  } catch (const std::exception& e) {
    std::cerr << "draw_pictures: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
