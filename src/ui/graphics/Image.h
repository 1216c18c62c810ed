#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ImageCodec.h"
#include "ui/graphics/Geometry.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ui {

// A picture with a scale: its natural size in points is pixels ÷ scale.
// Images are immutable and shared.
class Image {
public:
    // Looks up a resource by name ("QYHome_1.png", "QYMessage_1", "Emotion_3@2x.png"),
    // preferring the file for the main screen's scale (@3x or @2x), then the other
    // scale, then the plain file. Results are cached by name. nullptr when missing.
    static std::shared_ptr<Image> named(const std::string& name);
    // Decodes JPEG or PNG bytes at scale 1; nullptr when unreadable. A JPEG
    // picture remembers its bytes and the quality they hold (1.0 when unknown).
    static std::shared_ptr<Image> fromData(const std::vector<std::uint8_t>& bytes, double scale = 1);
    static std::shared_ptr<Image> fromFile(const std::string& path, double scale = 1);
    // A picture file the user shows or picks (an album photo, a dropped or
    // chosen file), at scale 1, through the shared platform::DecodedImageCache:
    // asked for again while the file is unchanged, it is not decoded again.
    static std::shared_ptr<Image> fromPhotoFile(const std::string& path);
    static std::shared_ptr<Image> fromPixels(platform::PixelBuffer pixels, double scale);
    // Over pixels shared with others (they must never change); copied only
    // when their rows are not laid out as Cairo needs.
    static std::shared_ptr<Image> fromPixels(std::shared_ptr<const platform::PixelBuffer> pixels, double scale);
    // The folder resources are read from: $QYSHOT_RESOURCES, else the build's.
    static std::string resourceFolder();
    static void clearCache();

    ~Image();

    Size size() const;
    double scale() const { return m_scale; }
    int pixelWidth() const { return m_pixels->width; }
    int pixelHeight() const { return m_pixels->height; }
    const std::string& name() const { return m_name; }
    const platform::PixelBuffer& pixels() const { return *m_pixels; }

    // JPEG at the phone's quality scale. A picture decoded from JPEG and asked
    // for at least the quality its bytes hold gives back those very bytes, so
    // an unchanged picture never drops a generation when saved again.
    std::vector<std::uint8_t> jpegData(double quality) const;
    std::vector<std::uint8_t> pngData() const;

    // The phone's stretchable image: the column at leftCapWidth and the row at
    // topCapHeight (in points) stretch; everything else keeps its size.
    // A cap of 0 on an axis stretches the whole image on that axis.
    std::shared_ptr<Image> stretchable(double leftCapWidth, double topCapHeight) const;
    bool isStretchable() const { return m_stretchable; }
    double leftCapWidth() const { return m_leftCap; }
    double topCapHeight() const { return m_topCap; }

    // A Cairo surface over the pixels (owned by the image), with device scale set.
    cairo_surface_t* surface() const;

private:
    Image() = default;
    std::string m_name;
    // Never null; shared with stretchable copies and with the decoded-image cache.
    std::shared_ptr<const platform::PixelBuffer> m_pixels;
    double m_scale = 1;
    bool m_stretchable = false;
    double m_leftCap = 0;
    double m_topCap = 0;
    mutable cairo_surface_t* m_surface = nullptr;
    std::shared_ptr<const std::vector<std::uint8_t>> m_jpeg; // the bytes it was decoded from
    double m_jpegQuality = 1.0;
};

using ImagePtr = std::shared_ptr<Image>;

} // namespace ui
