#include "platform/PngEncoder.h"

#include "platform/Log.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstring>
#include <vector>

#ifndef QY_VERSION
#define QY_VERSION "0.1.0"
#endif

namespace platform {

namespace {

std::string xmpPacket()
{
    return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
           " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "  <rdf:Description rdf:about=\"\"\n"
           "    xmlns:Iptc4xmpExt=\"http://iptc.org/std/Iptc4xmpExt/2008-02-29/\">\n"
           "   <Iptc4xmpExt:DigitalSourceType>"
           "http://cv.iptc.org/newscodes/digitalsourcetype/compositeSynthetic"
           "</Iptc4xmpExt:DigitalSourceType>\n"
           "  </rdf:Description>\n"
           " </rdf:RDF>\n"
           "</x:xmpmeta>\n"
           "<?xpacket end=\"r\"?>";
}

// The un-premultiplied RGBA bytes of one row, as PNG stores them.
void unpremultiplyRow(const std::uint8_t* in, int width, std::uint8_t* out)
{
    // Screens are opaque nearly everywhere: such a row only swaps red and
    // blue, in a loop the compiler turns into vector code.
    if constexpr (std::endian::native == std::endian::little) {
        std::uint32_t alphas = 0xFF000000u;
        for (int x = 0; x < width; ++x) {
            std::uint32_t word;
            std::memcpy(&word, in + x * 4, 4);
            alphas &= word;
        }
        if ((alphas >> 24) == 0xFF) {
            for (int x = 0; x < width; ++x) {
                std::uint32_t word;
                std::memcpy(&word, in + x * 4, 4);
                word = (word & 0xFF00FF00u) | ((word >> 16) & 0xFFu) | ((word & 0xFFu) << 16);
                std::memcpy(out + x * 4, &word, 4);
            }
            return;
        }
    }
    for (int x = 0; x < width; ++x) {
        std::uint32_t word;
        std::memcpy(&word, in + x * 4, 4);
        std::uint32_t a = word >> 24;
        std::uint32_t r = (word >> 16) & 0xFF, g = (word >> 8) & 0xFF, b = word & 0xFF;
        if (a != 0 && a != 255) {
            r = std::min<std::uint32_t>(255, (r * 255 + a / 2) / a);
            g = std::min<std::uint32_t>(255, (g * 255 + a / 2) / a);
            b = std::min<std::uint32_t>(255, (b * 255 + a / 2) / a);
        } else if (a == 0) {
            r = g = b = 0;
        }
        out[x * 4 + 0] = static_cast<std::uint8_t>(r);
        out[x * 4 + 1] = static_cast<std::uint8_t>(g);
        out[x * 4 + 2] = static_cast<std::uint8_t>(b);
        out[x * 4 + 3] = static_cast<std::uint8_t>(a);
    }
}

// The RGB bytes of an opaque row: premultiplied colour is the colour itself.
void opaqueRow(const std::uint8_t* in, int width, std::uint8_t* out)
{
    for (int x = 0; x < width; ++x) {
        std::uint32_t word;
        std::memcpy(&word, in + x * 4, 4);
        out[x * 3 + 0] = static_cast<std::uint8_t>(word >> 16);
        out[x * 3 + 1] = static_cast<std::uint8_t>(word >> 8);
        out[x * 3 + 2] = static_cast<std::uint8_t>(word);
    }
}

static_assert(PNG_FILTER_NONE == 0x08 && Z_DEFAULT_STRATEGY == 0, "the default compression names libpng's and zlib's values");

} // namespace

// libpng reports errors by longjmp. Every call into it happens in one of the
// static functions below, entered right after the caller's setjmp, so no
// local of the caller changes between the setjmp and a jump back.
struct PngEncoder::Codec {
    png_structp png = nullptr;
    png_infop info = nullptr;
    Sink sink;
    std::vector<std::uint8_t> row;
    std::string error;
    int width = 0;
    int height = 0;
    int written = 0;
    bool opaque = false;
    bool failed = false;
    bool finished = false;

    ~Codec()
    {
        if (png)
            png_destroy_write_struct(&png, &info);
    }

    static void onError(png_structp png, png_const_charp message)
    {
        static_cast<Codec*>(png_get_error_ptr(png))->error = message;
        png_longjmp(png, 1);
    }
    static void onWarning(png_structp, png_const_charp) { }
    static void onBytes(png_structp png, png_bytep data, png_size_t length)
    {
        auto* codec = static_cast<Codec*>(png_get_io_ptr(png));
        if (!codec->sink({ data, length }))
            png_error(png, "the bytes could not be written");
    }
    static void onFlush(png_structp) { }

    static void begin(Codec& c, const std::string& software, const std::string& xmp, const PngCompression& compression)
    {
        png_set_write_fn(c.png, &c, onBytes, onFlush);
        // libpng refuses to write more than a million rows unless told: the
        // caller sets the picture's own limit.
        png_set_user_limits(c.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
        png_set_IHDR(c.png, c.info, png_uint_32(c.width), png_uint_32(c.height), 8,
            c.opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA,
            PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(c.png, compression.level);
        png_set_compression_strategy(c.png, compression.strategy);
        png_set_filter(c.png, PNG_FILTER_TYPE_BASE, compression.filters);
        // Fewer, larger data chunks: less framing per byte written.
        png_set_compression_buffer_size(c.png, 1 << 16);
        png_text texts[2] {};
        int count = 0;
        if (!software.empty()) {
            texts[count].compression = PNG_TEXT_COMPRESSION_NONE;
            texts[count].key = const_cast<char*>("Software");
            texts[count].text = const_cast<char*>(software.data());
            texts[count].text_length = software.size();
            ++count;
        }
        if (!xmp.empty()) {
            texts[count].compression = PNG_ITXT_COMPRESSION_NONE;
            texts[count].key = const_cast<char*>("XML:com.adobe.xmp");
            texts[count].text = const_cast<char*>(xmp.data());
            texts[count].itxt_length = xmp.size();
            texts[count].lang = const_cast<char*>("");
            texts[count].lang_key = const_cast<char*>("");
            ++count;
        }
        if (count)
            png_set_text(c.png, c.info, texts, count);
        png_write_info(c.png, c.info);
    }

    static void encode(Codec& c, const PixelView& rows)
    {
        for (int y = 0; y < rows.height; ++y) {
            const std::uint8_t* row = rows.data + std::size_t(y) * std::size_t(rows.stride);
            if (c.opaque)
                opaqueRow(row, c.width, c.row.data());
            else
                unpremultiplyRow(row, c.width, c.row.data());
            png_write_row(c.png, c.row.data());
            ++c.written;
        }
    }

    static void end(Codec& c) { png_write_end(c.png, c.info); }
};

PngEncoder::PngEncoder(int width, int height, const PngMetadata& metadata, Sink sink, bool opaque, PngCompression compression)
    : m_codec(std::make_unique<Codec>())
{
    Codec& c = *m_codec;
    c.sink = std::move(sink);
    c.width = width;
    c.height = height;
    c.opaque = opaque;
    if (width <= 0 || height <= 0) {
        fail("a picture of " + std::to_string(width) + "×" + std::to_string(height) + " pixels");
        return;
    }
    c.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &c, Codec::onError, Codec::onWarning);
    c.info = c.png ? png_create_info_struct(c.png) : nullptr;
    if (!c.info) {
        fail("out of memory");
        return;
    }
    c.row.resize(std::size_t(width) * (opaque ? 3 : 4));
    // The bare program name means this program: it is written with its version.
    const std::string software = metadata.software == "qyshot" ? "qyshot " QY_VERSION : metadata.software;
    const std::string xmp = metadata.markAsComposite ? xmpPacket() : std::string();
    if (setjmp(png_jmpbuf(c.png))) {
        fail(m_codec->error);
        return;
    }
    Codec::begin(c, software, xmp, compression);
}

PngEncoder::~PngEncoder() = default;

bool PngEncoder::fail(const std::string& message)
{
    if (!m_codec->failed)
        log::line("imagecodec", "PNG not written: " + message);
    m_codec->failed = true;
    m_codec->error = message;
    return false;
}

bool PngEncoder::writeRows(const PixelView& rows)
{
    Codec& c = *m_codec;
    if (c.failed || c.finished)
        return false;
    if (!rows.data || rows.width != c.width || rows.height < 0 || rows.stride < rows.width * 4
        || rows.height > c.height - c.written)
        return fail("rows of " + std::to_string(rows.width) + "×" + std::to_string(rows.height) + " pixels do not fit the "
            + std::to_string(c.height - c.written) + " rows of width " + std::to_string(c.width) + " left");
    if (setjmp(png_jmpbuf(c.png)))
        return fail(m_codec->error);
    Codec::encode(c, rows);
    return true;
}

bool PngEncoder::finish()
{
    Codec& c = *m_codec;
    if (c.failed)
        return false;
    if (c.finished)
        return true;
    if (c.written != c.height)
        return fail("only " + std::to_string(c.written) + " of " + std::to_string(c.height) + " rows written");
    if (setjmp(png_jmpbuf(c.png)))
        return fail(m_codec->error);
    Codec::end(c);
    c.finished = true;
    return true;
}

bool PngEncoder::failed() const { return m_codec->failed; }

const std::string& PngEncoder::error() const { return m_codec->error; }

int PngEncoder::rowsWritten() const { return m_codec->written; }

} // namespace platform
