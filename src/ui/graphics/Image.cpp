#include "ui/graphics/Image.h"

#include "platform/DecodedImageCache.h"
#include "platform/Log.h"
#include "ui/Screen.h"

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <map>

namespace ui {

namespace {

struct NameParts {
    std::string base;      // without extension and scale suffix
    std::string extension; // with the dot
    int scale = 0;         // from an "@2x"/"@3x" suffix; 0 when none
};

bool endsWithNoCase(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char a = text[text.size() - suffix.size() + i];
        if (std::tolower(static_cast<unsigned char>(a)) != suffix[i])
            return false;
    }
    return true;
}

NameParts splitName(const std::string& name)
{
    NameParts parts { name, ".png", 0 };
    for (const char* extension : { ".png", ".jpg", ".jpeg" }) {
        if (endsWithNoCase(parts.base, extension)) {
            std::size_t length = std::char_traits<char>::length(extension);
            parts.extension = parts.base.substr(parts.base.size() - length);
            parts.base.resize(parts.base.size() - length);
            break;
        }
    }
    for (int scale : { 2, 3 }) {
        std::string suffix = "@" + std::to_string(scale) + "x";
        if (parts.base.ends_with(suffix)) {
            parts.base.resize(parts.base.size() - suffix.size());
            parts.scale = scale;
        }
    }
    return parts;
}

std::map<std::string, std::shared_ptr<Image>>& cache()
{
    static std::map<std::string, std::shared_ptr<Image>> images;
    return images;
}

} // namespace

Image::~Image()
{
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

std::string Image::resourceFolder()
{
    if (const char* folder = std::getenv("QYSHOT_RESOURCES"); folder && *folder)
        return folder;
    return QY_RESOURCE_DIR;
}

void Image::clearCache() { cache().clear(); }

std::shared_ptr<Image> Image::named(const std::string& name)
{
    if (name.empty() || name.find('\0') != std::string::npos)
        return nullptr;
    double screenScale = Screen::main().scale();
    std::string folder = resourceFolder();
    std::string key = folder + "\n" + std::to_string(screenScale) + "\n" + name;
    if (auto found = cache().find(key); found != cache().end())
        return found->second;

    NameParts parts = splitName(name);
    std::vector<int> scales;
    if (parts.scale)
        scales = { parts.scale };
    else if (screenScale > 2.5)
        scales = { 3, 2, 1 };
    else
        scales = { 2, 3, 1 };

    namespace fs = std::filesystem;
    for (int scale : scales) {
        std::string file = parts.base + (scale > 1 ? "@" + std::to_string(scale) + "x" : "") + parts.extension;
        fs::path path = fs::path(folder) / file;
        std::error_code error;
        if (!fs::is_regular_file(path, error))
            continue;
        auto image = fromFile(path.string(), scale);
        if (!image) {
            platform::log::line("image", "unreadable resource " + path.string());
            continue;
        }
        image->m_name = name;
        cache()[key] = image;
        return image;
    }
    platform::log::line("image", "missing resource " + name);
    return nullptr;
}

std::shared_ptr<Image> Image::fromData(const std::vector<std::uint8_t>& bytes, double scale)
{
    auto pixels = platform::imagecodec::decode(bytes);
    if (!pixels)
        return nullptr;
    auto image = fromPixels(std::move(*pixels), scale);
    // A decoded JPEG keeps the bytes it came from and the quality they hold,
    // so that saving the picture unchanged gives them back (see jpegData).
    if (image && platform::imagecodec::isJpeg(bytes)) {
        image->m_jpeg = std::make_shared<const std::vector<std::uint8_t>>(bytes);
        image->m_jpegQuality = platform::imagecodec::jpegQuality(bytes).value_or(1.0);
    }
    return image;
}

std::shared_ptr<Image> Image::fromFile(const std::string& path, double scale)
{
    auto pixels = platform::imagecodec::decodeFile(path);
    if (!pixels)
        return nullptr;
    return fromPixels(std::move(*pixels), scale);
}

std::shared_ptr<Image> Image::fromPhotoFile(const std::string& path)
{
    return fromPixels(platform::DecodedImageCache::shared().decodeFile(path), 1);
}

namespace {

bool pixelsAreValid(const platform::PixelBuffer& pixels)
{
    return pixels.width > 0 && pixels.height > 0 && pixels.stride >= pixels.width * 4
        && pixels.pixels.size() >= static_cast<std::size_t>(pixels.stride) * pixels.height;
}

// The same rows at the stride Cairo needs for the width.
platform::PixelBuffer repacked(const platform::PixelBuffer& pixels, int stride)
{
    platform::PixelBuffer packed { pixels.width, pixels.height, stride, {} };
    packed.pixels.resize(static_cast<std::size_t>(stride) * pixels.height);
    for (int y = 0; y < pixels.height; ++y)
        std::copy_n(pixels.pixels.begin() + static_cast<std::ptrdiff_t>(y) * pixels.stride, pixels.width * 4,
            packed.pixels.begin() + static_cast<std::ptrdiff_t>(y) * stride);
    return packed;
}

} // namespace

std::shared_ptr<Image> Image::fromPixels(platform::PixelBuffer pixels, double scale)
{
    return fromPixels(std::make_shared<const platform::PixelBuffer>(std::move(pixels)), scale);
}

std::shared_ptr<Image> Image::fromPixels(std::shared_ptr<const platform::PixelBuffer> pixels, double scale)
{
    if (!pixels || !pixelsAreValid(*pixels))
        return nullptr;
    // Cairo needs its own stride alignment; repack rows when the buffer's differs.
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, pixels->width);
    if (stride != pixels->stride)
        pixels = std::make_shared<const platform::PixelBuffer>(repacked(*pixels, stride));
    std::shared_ptr<Image> image(new Image);
    image->m_pixels = std::move(pixels);
    image->m_scale = scale > 0 ? scale : 1;
    return image;
}

Size Image::size() const { return { m_pixels->width / m_scale, m_pixels->height / m_scale }; }

std::vector<std::uint8_t> Image::jpegData(double quality) const
{
    // More quality than the bytes hold gains nothing; encoding them again would
    // only lose more of the picture at every save.
    if (m_jpeg && quality >= m_jpegQuality)
        return *m_jpeg;
    return platform::imagecodec::encodeJpeg(*m_pixels, quality);
}

std::vector<std::uint8_t> Image::pngData() const { return platform::imagecodec::encodePng(*m_pixels); }

std::shared_ptr<Image> Image::stretchable(double leftCapWidth, double topCapHeight) const
{
    std::shared_ptr<Image> image(new Image);
    image->m_name = m_name;
    image->m_pixels = m_pixels;
    image->m_scale = m_scale;
    Size natural = size();
    // A cap that leaves no column (or row) to stretch is as good as none.
    image->m_leftCap = leftCapWidth > 0 && leftCapWidth < natural.width ? leftCapWidth : 0;
    image->m_topCap = topCapHeight > 0 && topCapHeight < natural.height ? topCapHeight : 0;
    image->m_stretchable = true;
    return image;
}

cairo_surface_t* Image::surface() const
{
    if (!m_surface) {
        // Cairo only reads from this surface: nothing is ever drawn into an image.
        auto* data = const_cast<unsigned char*>(m_pixels->pixels.data());
        m_surface = cairo_image_surface_create_for_data(
            data, CAIRO_FORMAT_ARGB32, m_pixels->width, m_pixels->height, m_pixels->stride);
        cairo_surface_set_device_scale(m_surface, m_scale, m_scale);
    }
    return m_surface;
}

} // namespace ui
