// The text bubble's height query and its label's size, pinned for a varied set
// of messages: wrapping Chinese and English, emoji codes known and unknown,
// every kind of link, line breaks, surrogates and stray units, long words. Any
// change to how messages are prepared or measured must keep these numbers.
// Latin letters and digits are set in Inter: a Latin line is 20 high (24 in
// the Chinese face, whose lines keep that height), an emoji line 22.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "chat/records/QYChatModel.h"
#include "coding/String.h"
#include "input/label/QYEmojiLabel.h"
#include "messages/RIBubbleRules.h"
#include "messages/RITextBubbleView.h"

namespace {

struct Case {
    std::u16string text;
    double height;   // the height query
    ui::Size label;  // preferredSizeWithMaxWidth(200), what the bubble wraps
};

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        { u"", 60, { 0, 0 } },
        { u"OK[微笑]", 60, { 44, 22 } },
        { u"[不存在]的表情", 60, { 108, 24 } },
        { u"周末一起去爬山吧，天气预报说周六是晴天，早上八点在地铁站见面怎么样？", 100, { 192, 74 } },
        { u"Long English words wrap at word boundaries inside the bubble.", 89, { 196, 63 } },
        { u"今晚[微笑]一起吃饭吗？打我电话13812345678就行[玫瑰]好的好的好的！", 100, { 198, 74 } },
        { u"看看www.apple.com/cn这个网站[呲牙]", 60, { 193, 49 } },
        { u"http://example.com:8080/a?b=c&d=e 打开", 60, { 197, 45 } },
        { u"写信给ab@qq.com吧[色]", 60, { 176, 24 } },
        { u"@Tony, 你好 #周末# 去哪", 60, { 186, 24 } },
        { u"第一行\n第二行\n\n第四行", 121, { 48, 95 } },
        { u"😀👍🏻🇨🇳 emoji", 60, { 105, 20 } },
        { std::u16string(u"x\xD800y"), 60, { 34, 20 } },
        { std::u16string(300, u'1'), 281, { 194, 255 } },
        { std::u16string(61, u'中'), 176, { 192, 150 } },
        { u"مرحبا بالعالم hello", 60, { 126, 20 } },
        { u"e\u0301\u0301\u0301 combining", 60, { 93, 20 } },
        { u"[微笑][开心][呲牙][笑哭][打滚][愉快][天使][色][飞吻][亲亲][好吃][调皮][疯狂][发财][拥抱][偷笑][嘘]", 60, { 192, 45 } },
        { u"电话13812345678,010-12345678和0755-1234567", 96, { 200, 70 } },
        { u"\u2028分隔\u2029段落", 100, { 32, 74 } },
    };
    return all;
}

std::shared_ptr<QYChatModel> record(const std::u16string& text, int styleType)
{
    auto message = QYChatModel::make();
    message->setType(QYChatModel::Text);
    message->setStyleType(styleType);
    message->setContext(coding::String::fromUtf16(text));
    return message;
}

std::string shown(const std::u16string& text)
{
    return coding::String::fromUtf16(text)->utf8();
}

} // namespace

// Both tables hold the same codes, so both styles measure alike. The query
// measures every row with one label; each answer, in any order and mix of
// styles, is the one a label made for that row alone gives.
TEST(RITextBubbleHeight, VariedMessagesKeepTheirHeightsAndLabelSizesInAnyOrder)
{
    for (int styleType : { 1, 2 }) {
        for (const Case& c : cases()) {
            auto message = record(c.text, styleType);
            EXPECT_EQ(RITextBubbleView::heightForBubbleWithObject(*message), c.height) << shown(c.text) << " style " << styleType;
            QYEmojiLabel label;
            RITextBubbleView::configureLabel(label, *message);
            EXPECT_EQ(label.preferredSizeWithMaxWidth(200), c.label) << shown(c.text);
        }
    }
    std::vector<std::shared_ptr<QYChatModel>> rows;
    for (std::size_t i = cases().size(); i-- > 0;)
        rows.push_back(record(cases()[i].text, i % 3 ? 1 : 2));
    rows.push_back(QYChatModel::make()); // no text at all, after long ones
    rows.back()->setType(QYChatModel::Text);
    for (const auto& row : rows) {
        QYEmojiLabel fresh;
        RITextBubbleView::configureLabel(fresh, *row);
        double h = fresh.sizeThatFits({ 200, std::numeric_limits<double>::max() }).height;
        EXPECT_EQ(RITextBubbleView::heightForBubbleWithObject(*row), RIBubbleRules::textBubbleHeight(h))
            << shown(coding::text(row->context()));
    }
}
