// The two file formats the game reads: 24-bit BMP images and a 16-bit PCM WAV click.
#include "art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    PutU16(out, v & 0xffff);
    PutU16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

bool WriteBytes(const std::vector<uint8_t>& bytes, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "WriteBytes: cannot create %s\n", path.c_str());
        return false;
    }
    size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    bool closed = std::fclose(file) == 0;
    if (written != bytes.size() || !closed) {
        std::fprintf(stderr, "WriteBytes: short write to %s\n", path.c_str());
        return false;
    }
    return true;
}

// Cairo keeps premultiplied ARGB in native 32-bit words; every canvas is painted opaque first,
// so the colour channels are the final colour.
void PutPixelRow(std::vector<uint8_t>& out, const uint8_t* row, int width, int padding)
{
    const uint32_t* pixels = reinterpret_cast<const uint32_t*>(row);
    for (int x = 0; x < width; ++x) {
        uint32_t p = pixels[x];
        out.push_back(p & 0xff);          // blue
        out.push_back((p >> 8) & 0xff);   // green
        out.push_back((p >> 16) & 0xff);  // red
    }
    out.insert(out.end(), padding, 0);
}

// A damped sine: a quick rise over attack seconds, then an exponential fall.
double Partial(double t, double frequency, double attack, double decay)
{
    double rise = t < attack ? 0.5 - 0.5 * std::cos(M_PI * t / attack) : 1.0;
    return rise * std::exp(-t / decay) * std::sin(2.0 * M_PI * frequency * t);
}

}  // namespace

bool WriteBmp(cairo_surface_t* surface, const std::string& path)
{
    cairo_surface_flush(surface);
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const uint8_t* data = cairo_image_surface_get_data(surface);
    if (!data || width <= 0 || height <= 0) {
        std::fprintf(stderr, "WriteBmp: no pixels for %s\n", path.c_str());
        return false;
    }
    int padding = (4 - (width * 3) % 4) % 4;
    uint32_t imageBytes = uint32_t(width * 3 + padding) * uint32_t(height);

    std::vector<uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, 54 + imageBytes);  // file size
    PutU32(out, 0);                // reserved
    PutU32(out, 54);               // offset of the pixels
    PutU32(out, 40);               // BITMAPINFOHEADER
    PutU32(out, uint32_t(width));
    PutU32(out, uint32_t(height));  // positive: bottom row first
    PutU16(out, 1);                 // planes
    PutU16(out, 24);                // bits per pixel
    PutU32(out, 0);                 // no compression
    PutU32(out, imageBytes);
    PutU32(out, 2835);  // 72 dpi, both ways
    PutU32(out, 2835);
    PutU32(out, 0);  // no palette
    PutU32(out, 0);
    for (int y = height - 1; y >= 0; --y)
        PutPixelRow(out, data + size_t(y) * size_t(stride), width, padding);
    return WriteBytes(out, path);
}

bool WriteClickWav(const std::string& path)
{
    // A soft wooden "tock": two damped partials, the higher one short, over 60 ms, ending in
    // silence so the queue can restart it without a pop.
    const uint32_t rate = 22050;
    const uint32_t count = rate * 60 / 1000;
    const double fadeStart = 0.045, fadeEnd = 0.060;
    std::vector<uint8_t> samples;
    for (uint32_t i = 0; i < count; ++i) {
        double t = double(i) / rate;
        double v = 0.30 * Partial(t, 1250.0, 0.0012, 0.0070) +
                   0.22 * Partial(t, 620.0, 0.0015, 0.0130) +
                   0.06 * Partial(t, 2480.0, 0.0008, 0.0025);
        if (t > fadeStart)
            v *= std::max(0.0, (fadeEnd - t) / (fadeEnd - fadeStart));
        int16_t s = int16_t(std::lround(v * 32767.0));
        PutU16(samples, uint16_t(s));
    }

    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    PutU32(out, 36 + uint32_t(samples.size()));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, 1);  // mono
    PutU32(out, rate);
    PutU32(out, rate * 2);  // bytes per second
    PutU16(out, 2);         // bytes per frame
    PutU16(out, 16);        // bits per sample
    PutTag(out, "data");
    PutU32(out, uint32_t(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    return WriteBytes(out, path);
}
