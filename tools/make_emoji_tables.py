#!/usr/bin/env python3
"""Writes the two emoji tables and the picture list from one list of emoji.

The list below is the only place where an emoji's number, its picture (a code
point sequence of the colour emoji font) and its code (our own Chinese word in
square brackets) are tied together. Run it after editing the list:

    python3 tools/make_emoji_tables.py

It writes
  resources/data/Emotion.plist       code -> "Emotion_<n>@2x.png" (messenger style)
  resources/data/BaseEmotion.plist   code -> "<n>"                (payment-app style)
  tools/emoji-render/emoji-list.txt  "<n> <code points>" for the picture renderer
"""

import pathlib
import plistlib
import re
import sys

# (code points, word). Emoji are numbered from 1 in this order.
EMOJI = [
    ("1F642", "微笑"), ("1F600", "开心"), ("1F601", "呲牙"), ("1F602", "笑哭"),
    ("1F923", "打滚"), ("1F60A", "愉快"), ("1F607", "天使"), ("1F60D", "色"),
    ("1F618", "飞吻"), ("1F61A", "亲亲"), ("1F60B", "好吃"), ("1F61C", "调皮"),
    ("1F92A", "疯狂"), ("1F911", "发财"), ("1F917", "拥抱"), ("1F92D", "偷笑"),
    ("1F92B", "嘘"), ("1F914", "思考"), ("1F910", "闭嘴"), ("1F928", "怀疑"),
    ("1F610", "无语"), ("1F611", "冷漠"), ("1F60F", "得意"), ("1F612", "不屑"),
    ("1F644", "白眼"), ("1F62C", "尴尬"), ("1F925", "说谎"), ("1F60C", "安心"),
    ("1F614", "失落"), ("1F62A", "困"), ("1F924", "流口水"), ("1F634", "睡"),
    ("1F637", "口罩"), ("1F912", "发烧"), ("1F915", "受伤"), ("1F922", "恶心"),
    ("1F92E", "吐"), ("1F927", "喷嚏"), ("1F975", "好热"), ("1F976", "好冷"),
    ("1F974", "晕"), ("1F635", "眩晕"), ("1F92F", "崩溃"), ("1F920", "牛仔"),
    ("1F973", "庆祝"), ("1F60E", "酷"), ("1F913", "学霸"), ("1F615", "困惑"),
    ("1F61F", "担心"), ("1F641", "难过"), ("1F62E", "惊讶"), ("1F632", "吃惊"),
    ("1F633", "脸红"), ("1F97A", "可怜"), ("1F626", "发呆"), ("1F628", "害怕"),
    ("1F630", "冷汗"), ("1F625", "委屈"), ("1F622", "流泪"), ("1F62D", "大哭"),
    ("1F631", "惊恐"), ("1F616", "纠结"), ("1F623", "坚持"), ("1F61E", "失望"),
    ("1F613", "汗"), ("1F629", "累"), ("1F62B", "抓狂"), ("1F971", "哈欠"),
    ("1F624", "哼"), ("1F621", "发怒"), ("1F620", "生气"), ("1F92C", "骂人"),
    ("1F608", "坏笑"), ("1F480", "骷髅"), ("1F4A9", "便便"), ("1F921", "小丑"),
    ("1F47B", "幽灵"), ("1F47D", "外星人"), ("1F916", "机器人"), ("1F648", "捂眼"),
    ("1F44D", "强"), ("1F44E", "弱"), ("1F44C", "好的"), ("270C FE0F", "胜利"),
    ("1F44F", "鼓掌"), ("1F64F", "拜托"), ("1F4AA", "加油"), ("1F44A", "拳头"),
    ("1F44B", "再见"), ("1F91D", "握手"), ("1F4AF", "满分"), ("2764 FE0F", "爱心"),
    ("1F494", "心碎"), ("1F339", "玫瑰"), ("1F940", "凋谢"), ("1F48B", "嘴唇"),
    ("1F381", "礼物"), ("1F389", "撒花"), ("1F382", "蛋糕"), ("1F9E7", "红包"),
    ("1F4B0", "钱袋"), ("2600 FE0F", "太阳"), ("1F319", "月亮"), ("2B50", "星星"),
    ("26A1", "闪电"), ("1F525", "火"), ("1F4A3", "炸弹"), ("1F52A", "菜刀"),
    ("2615", "咖啡"), ("1F37A", "啤酒"), ("1F349", "西瓜"), ("1F437", "猪头"),
    ("1F436", "狗"), ("1F431", "猫"), ("1F43C", "熊猫"),
]

COUNT = 115
# The text bubble finds codes with this pattern; the chat screen's delete key
# removes 3 to 5 units ending in "]", so every code must fit both.
BUBBLE_PATTERN = re.compile(r"\[[a-zA-Z0-9\u4e00-\u9fa5]+\]")


def utf16_length(text):
    return len(text.encode("utf-16-le")) // 2


def check(emoji):
    if len(emoji) != COUNT:
        sys.exit(f"expected {COUNT} emoji, found {len(emoji)}")
    codes = set()
    pictures = set()
    for number, (points, word) in enumerate(emoji, start=1):
        code = f"[{word}]"
        if not BUBBLE_PATTERN.fullmatch(code):
            sys.exit(f"emoji {number}: {code} does not match the bubble pattern")
        if not 3 <= utf16_length(code) <= 5:
            sys.exit(f"emoji {number}: {code} is not 3 to 5 units long")
        if code in codes:
            sys.exit(f"emoji {number}: {code} is used twice")
        if points in pictures:
            sys.exit(f"emoji {number}: picture {points} is used twice")
        codes.add(code)
        pictures.add(points)


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    check(EMOJI)

    messenger = {f"[{word}]": f"Emotion_{n}@2x.png" for n, (_, word) in enumerate(EMOJI, 1)}
    payment = {f"[{word}]": str(n) for n, (_, word) in enumerate(EMOJI, 1)}
    data = root / "resources" / "data"
    data.mkdir(parents=True, exist_ok=True)
    for name, table in (("Emotion.plist", messenger), ("BaseEmotion.plist", payment)):
        with open(data / name, "wb") as out:
            plistlib.dump(table, out, fmt=plistlib.FMT_XML, sort_keys=False)

    lines = [f"{n} {points}" for n, (points, _) in enumerate(EMOJI, 1)]
    listing = root / "tools" / "emoji-render" / "emoji-list.txt"
    listing.parent.mkdir(parents=True, exist_ok=True)
    listing.write_text("# number, then the code points of its picture; written by make_emoji_tables.py\n"
                       + "\n".join(lines) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
