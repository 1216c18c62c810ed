// The text bubble's height query and the emoji label's measurements, pinned for
// a varied set of messages: wrapping Chinese and English, emoji codes known and
// unknown, every kind of link, line breaks, surrogates and stray units, long
// words. The numbers are what the query answered before it was made faster;
// any change to how messages are prepared or measured must keep them.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "chat/records/QYChatModel.h"
#include "coding/String.h"
#include "input/label/QYEmojiLabel.h"
#include "render/RIBubbleRules.h"
#include "render/RITextBubbleView.h"

namespace {

struct Case {
    std::u16string text;
    double height;          // the height query
    ui::Size fitted;        // the bubble's label, sizeThatFits at 200
    ui::Size preferred;     // preferredSizeWithMaxWidth(200)
    ui::Size narrow;        // preferredSizeWithMaxWidth(120)
};

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
    { u"", 60, { 0, 1 }, { 0, 0 }, { 0, 0 } },
    { u"a", 60, { 10, 25 }, { 10, 24 }, { 10, 24 } },
    { u" ", 60, { 4, 25 }, { 4, 24 }, { 4, 24 } },
    { u"   ", 60, { 11, 25 }, { 11, 24 }, { 11, 24 } },
    { u"在吗？", 60, { 48, 25 }, { 48, 24 }, { 48, 24 } },
    { u"OK[微笑]", 60, { 48, 27 }, { 48, 26 }, { 48, 26 } },
    { u"[微笑]", 60, { 26, 27 }, { 26, 26 }, { 26, 26 } },
    { u"[微笑][微笑]", 60, { 51, 27 }, { 51, 26 }, { 51, 26 } },
    { u"[不存在]的表情", 60, { 107, 25 }, { 107, 24 }, { 107, 24 } },
    { u"[微笑", 60, { 38, 25 }, { 38, 24 }, { 38, 24 } },
    { u"微笑]", 60, { 38, 25 }, { 38, 24 }, { 38, 24 } },
    { u"[]", 60, { 11, 25 }, { 11, 24 }, { 11, 24 } },
    { u"好呀[开心] 周末见", 60, { 110, 27 }, { 110, 26 }, { 110, 26 } },
    { u"周末一起去爬山吧，天气预报说周六是晴天，早上八点在地铁站见面怎么样？", 100, { 192, 75 }, { 192, 74 }, { 112, 124 } },
    { u"Long English words wrap at word boundaries inside the bubble.", 100, { 194, 75 }, { 194, 74 }, { 106, 150 } },
    { u"今晚[微笑]一起吃饭吗？打我电话13812345678就行[玫瑰]好的好的好的！", 105, { 188, 80 }, { 188, 79 }, { 114, 129 } },
    { u"看看www.apple.com/cn这个网站[呲牙]", 60, { 193, 52 }, { 193, 51 }, { 113, 101 } },
    { u"http://example.com:8080/a?b=c&d=e 打开", 60, { 195, 50 }, { 195, 49 }, { 105, 99 } },
    { u"写信给ab@qq.com吧[色]", 60, { 180, 27 }, { 180, 26 }, { 107, 76 } },
    { u"@Tony, 你好 #周末# 去哪", 60, { 181, 25 }, { 180, 24 }, { 120, 49 } },
    { u"@小明 @小红 #话题#和#另一个#", 60, { 193, 50 }, { 193, 49 }, { 114, 74 } },
    { u"AVATAR To Yo, Ty. Wa. @Tony,Yo www.AV.com. T.", 60, { 192, 50 }, { 191, 49 }, { 117, 99 } },
    { u"第一行\n第二行\n\n第四行", 125, { 48, 100 }, { 48, 99 }, { 48, 99 } },
    { u"a\r\nb", 60, { 10, 50 }, { 10, 49 }, { 10, 49 } },
    { u"tab\there", 60, { 63, 25 }, { 63, 24 }, { 63, 24 } },
    { u"😀👍🏻🇨🇳 emoji", 60, { 106, 25 }, { 106, 24 }, { 106, 24 } },
    { std::u16string(u"x\xD800y"), 60, { 33, 25 }, { 33, 24 }, { 33, 24 } },
    { std::u16string(u"x\0y", 3), 60, { 33, 25 }, { 33, 24 }, { 33, 24 } },
    { std::u16string(300, u'1'), 377, { 196, 352 }, { 196, 351 }, { 116, 603 } },
    { std::u16string(61, u'中'), 176, { 192, 151 }, { 192, 150 }, { 112, 225 } },
    { std::u16string(25, u'中'), 100, { 192, 75 }, { 192, 74 }, { 112, 99 } },
    { std::u16string(26, u'中'), 100, { 192, 75 }, { 192, 74 }, { 112, 99 } },
    { std::u16string(12, u'中'), 60, { 192, 25 }, { 192, 24 }, { 112, 49 } },
    { std::u16string(13, u'中'), 60, { 192, 50 }, { 192, 49 }, { 112, 49 } },
    { u"مرحبا بالعالم hello", 60, { 127, 25 }, { 127, 24 }, { 85, 44 } },
    { u"e\u0301\u0301\u0301 combining", 60, { 92, 25 }, { 92, 24 }, { 92, 24 } },
    { u"[微笑][开心][呲牙][笑哭][打滚][愉快][天使][色][飞吻][亲亲][好吃][调皮][疯狂][发财][拥抱][偷笑][嘘]", 107, { 179, 82 }, { 179, 81 }, { 102, 136 } },
    { u"电话13812345678,010-12345678和0755-1234567", 100, { 197, 75 }, { 197, 74 }, { 120, 99 } },
    { u"ftp://a.b.cn/x 和 https://x.y.org", 60, { 177, 50 }, { 177, 49 }, { 117, 49 } },
    { u"WWW.EXAMPLE.COM 大写", 60, { 191, 25 }, { 191, 24 }, { 116, 49 } },
    { u"一二三四五六七八九十一二[微笑]", 60, { 192, 52 }, { 192, 51 }, { 112, 51 } },
    { u"一二三四五六七八九十一[微笑]二", 60, { 176, 52 }, { 176, 51 }, { 112, 51 } },
    { u"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz", 100, { 199, 75 }, { 199, 74 }, { 116, 124 } },
    { u"The quick brown fox jumps over the lazy dog. The quick brown fox jumps over the lazy dog. [微笑]", 153, { 181, 128 }, { 181, 127 }, { 119, 177 } },
    { u"混合Mixed文字Text[微笑]with 数字123456和符号!@#$%^&*()", 103, { 198, 78 }, { 198, 77 }, { 109, 101 } },
    { u"\u3000全角空格\u3000", 60, { 96, 25 }, { 96, 24 }, { 96, 24 } },
    { u"\u2028分隔\u2029段落", 100, { 32, 75 }, { 32, 74 }, { 32, 74 } },
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

TEST(RITextBubbleHeight, VariedMessagesKeepTheirHeights)
{
    // Both tables hold the same codes, so both styles measure alike.
    for (int styleType : {1, 2}) {
        for (const Case& c : cases()) {
            auto message = record(c.text, styleType);
            EXPECT_EQ(RITextBubbleView::heightForBubbleWithObject(*message), c.height)
                << shown(c.text) << " (style " << styleType << ")";
        }
    }
}

TEST(RITextBubbleHeight, VariedMessagesKeepTheirLabelSizes)
{
    for (int styleType : {1, 2}) {
        for (const Case& c : cases()) {
            auto message = record(c.text, styleType);
            QYEmojiLabel label;
            RITextBubbleView::configureLabel(label, *message);
            EXPECT_EQ(label.sizeThatFits({200, std::numeric_limits<double>::max()}), c.fitted) << shown(c.text);
            EXPECT_EQ(label.preferredSizeWithMaxWidth(200), c.preferred) << shown(c.text);
            EXPECT_EQ(label.preferredSizeWithMaxWidth(120), c.narrow) << shown(c.text);
        }
    }
}

// The same rows asked again, in another order, answer as they did the first time.
TEST(RITextBubbleHeight, AskingAgainGivesTheSameAnswers)
{
    std::vector<double> first;
    for (const Case& c : cases())
        first.push_back(RITextBubbleView::heightForBubbleWithObject(*record(c.text, 1)));
    for (std::size_t i = cases().size(); i-- > 0;)
        EXPECT_EQ(RITextBubbleView::heightForBubbleWithObject(*record(cases()[i].text, 1)), first[i]) << i;
}

// The query measures every row with one label; each answer is the one a label
// made for that row alone gives, whatever rows, styles and texts came before.
TEST(RITextBubbleHeight, EachRowIsMeasuredAsByAFreshLabel)
{
    std::vector<std::shared_ptr<QYChatModel>> rows;
    for (std::size_t i = 0; i < cases().size(); ++i)
        rows.push_back(record(cases()[i].text, i % 3 ? 1 : 2));
    // An empty text and a missing one after long ones.
    rows.push_back(record(u"", 1));
    auto missing = QYChatModel::make();
    missing->setType(QYChatModel::Text);
    rows.push_back(missing);
    for (const auto& row : rows) {
        QYEmojiLabel fresh;
        RITextBubbleView::configureLabel(fresh, *row);
        double h = fresh.sizeThatFits({200, std::numeric_limits<double>::max()}).height;
        EXPECT_EQ(RITextBubbleView::heightForBubbleWithObject(*row), RIBubbleRules::textBubbleHeight(h))
            << shown(coding::text(row->context()));
    }
}
