#pragma once
#include <memory>
#include <string>

class QYChatViewController;

namespace shell {

// The whole conversation of a chat screen as one tall picture at the phone's
// scale: the status and navigation bars, every row of the message list, then
// the input toolbar. The rows are drawn a screenful at a time and each strip
// goes straight into the PNG file, so the picture is never whole in memory.
//
// A chat background picture is drawn once, behind the first screenful, as
// the phone shows it; the rest of the conversation lies on the chat's plain
// background colour. The picture is fixed behind the list on the phone, so
// every screenful would otherwise repeat it with a seam between copies, and
// stretched over a long chat it would be blown up past recognition.
class ChatLongPicture {
public:
    // The tallest picture written, in pixels. Programs reading PNG through
    // libpng (most viewers, browsers and editors) refuse a taller one by
    // default, so a taller file could be written but not opened. At the
    // phone's scale that is some 5,000 to 8,000 rows of conversation.
    static constexpr long long kMaxHeight = 1'000'000;

    // Measures the chat as it is laid out now.
    explicit ChatLongPicture(std::shared_ptr<QYChatViewController> chat);

    int width() const { return m_width; }
    long long height() const { return m_height; }
    bool fitsTheLimit() const { return m_height <= kMaxHeight; }
    // Why the picture cannot be made, for the user, when it is too tall.
    std::string tooTallMessage() const;

    // Draws and writes the picture; false with error() when it is too tall or
    // the file cannot be written (the target is then left as it was). The
    // chat screen is left scrolled and drawn as it was.
    bool write(const std::string& path);
    const std::string& error() const { return m_error; }

private:
    void scrollTo(double offset);

    std::shared_ptr<QYChatViewController> m_chat;
    double m_scale = 2;
    int m_width = 0;
    int m_screenHeight = 0;
    // Rows of the picture: the bars above the list, the list's content, the toolbar.
    int m_topRows = 0;
    long long m_contentRows = 0;
    int m_barTop = 0;
    int m_barRows = 0;
    long long m_height = 0;
    double m_listHeight = 0;
    double m_contentHeight = 0;
    std::string m_error;
};

} // namespace shell
