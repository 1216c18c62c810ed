#include "shell/script/ChatScriptReader.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <yaml-cpp/yaml.h>

#include "coding/String.h"
#include "platform/DeviceProfile.h"
#include "shell/scene/SceneTime.h"
#include "shell/script/ChatScriptError.h"
#include "ui/graphics/Image.h"

namespace shell {

namespace {

int lineOf(const YAML::Node& node)
{
    return node.Mark().line >= 0 ? node.Mark().line + 1 : 0;
}

std::u16string utf16(const std::string& text)
{
    return coding::String::make(text)->utf16();
}

// Reads one script; `folder` resolves relative paths.
class Reader {
public:
    explicit Reader(std::string folder)
        : m_folder(std::move(folder))
    {
    }

    ChatScript read(const YAML::Node& root)
    {
        if (!root.IsMap())
            throw ChatScriptError(lineOf(root), "", "a chat script is a map with \"messages\" and the chat's settings");
        ChatScript script;
        for (const auto& entry : root) {
            std::string key = entry.first.as<std::string>();
            static const char* known[] = { "style", "device", "time", "timeZone", "statusBar", "me", "other", "background", "unread", "pictures", "messages" };
            if (std::find(std::begin(known), std::end(known), key) == std::end(known))
                throw ChatScriptError(lineOf(entry.first), key, "unknown field");
        }
        if (auto style = root["style"]) {
            std::string name = scalar(style, "style");
            if (name == "messenger")
                script.style = ChatStyle::Messenger;
            else if (name == "payment")
                script.style = ChatStyle::PaymentApp;
            else
                throw ChatScriptError(lineOf(style), "style", "\"messenger\" or \"payment\", not \"" + name + "\"");
        }
        if (auto device = root["device"]) {
            script.device = scalar(device, "device");
            if (!platform::DeviceProfile::named(*script.device))
                throw ChatScriptError(lineOf(device), "device", "unknown device \"" + *script.device + "\"");
        }
        if (auto zone = root["timeZone"]) {
            script.timeZone = scalar(zone, "timeZone");
            if (!SceneTime::isKnownZone(*script.timeZone))
                throw ChatScriptError(lineOf(zone), "timeZone", "unknown time zone \"" + *script.timeZone + "\"");
        }
        double start = kDefaultStartTimeOf(root, script);
        if (auto bar = root["statusBar"])
            readStatusBar(bar, script.statusBar);
        if (auto me = root["me"])
            script.me = participant(me, "me");
        if (auto other = root["other"])
            script.other = participant(other, "other");
        if (auto background = root["background"])
            script.backgroundPath = picture(background, "background");
        if (auto pictures = root["pictures"]) {
            std::string how = scalar(pictures, "pictures");
            if (how != "picked" && how != "saved")
                throw ChatScriptError(lineOf(pictures), "pictures", "\"picked\" or \"saved\", not \"" + how + "\"");
            script.picturesAsSaved = how == "saved";
        }
        if (auto unread = root["unread"])
            script.unread = scalar(unread, "unread");
        auto messages = root["messages"];
        if (!messages || !messages.IsSequence())
            throw ChatScriptError(messages ? lineOf(messages) : lineOf(root), "messages", "a list of messages is needed");
        double date = start;
        for (std::size_t i = 0; i < messages.size(); ++i) {
            ChatScript::Line line = readLine(messages[i], i, script, date);
            date = line.date;
            script.lines.push_back(std::move(line));
        }
        script.now = date;
        return script;
    }

private:
    double kDefaultStartTimeOf(const YAML::Node& root, const ChatScript& script)
    {
        auto time = root["time"];
        if (!time)
            return ChatScriptReader::kDefaultStart;
        auto parsed = SceneTime::parseLocal(scalar(time, "time"), script.timeZone.value_or(""));
        if (!parsed)
            throw ChatScriptError(lineOf(time), "time", "a local time such as \"2016-11-24T09:41\" is needed");
        return *parsed;
    }

    std::string scalar(const YAML::Node& node, const std::string& field)
    {
        if (!node.IsScalar())
            throw ChatScriptError(lineOf(node), field, "a single value is needed");
        return node.Scalar();
    }

    bool flag(const YAML::Node& node, const std::string& field)
    {
        std::string text = scalar(node, field);
        if (text == "true" || text == "yes")
            return true;
        if (text == "false" || text == "no")
            return false;
        throw ChatScriptError(lineOf(node), field, "true or false, not \"" + text + "\"");
    }

    std::string path(const std::string& given) const
    {
        std::filesystem::path file(given);
        if (file.is_relative() && !m_folder.empty())
            file = std::filesystem::path(m_folder) / file;
        return file.lexically_normal().string();
    }

    // A picture file that exists and decodes.
    std::string picture(const YAML::Node& node, const std::string& field)
    {
        std::string file = path(scalar(node, field));
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error))
            throw ChatScriptError(lineOf(node), field, "no picture file \"" + file + "\"");
        if (!ui::Image::fromPhotoFile(file))
            throw ChatScriptError(lineOf(node), field, "\"" + file + "\" is not a JPEG or PNG picture");
        return file;
    }

    void readStatusBar(const YAML::Node& bar, Scene::StatusBarSettings& settings)
    {
        if (!bar.IsMap())
            throw ChatScriptError(lineOf(bar), "statusBar", "a map of carrier, time and battery is needed");
        for (const auto& entry : bar) {
            std::string key = entry.first.as<std::string>();
            std::string field = "statusBar." + key;
            if (key == "carrier")
                settings.carrier = scalar(entry.second, field);
            else if (key == "time")
                settings.time = scalar(entry.second, field);
            else if (key == "battery") {
                std::string text = scalar(entry.second, field);
                if (!std::regex_match(text, std::regex("[0-9]{1,3}")) || std::stoi(text) > 100)
                    throw ChatScriptError(lineOf(entry.second), field, "a percentage from 0 to 100 is needed");
                settings.battery = std::stoi(text);
            } else if (key == "charging")
                settings.charging = flag(entry.second, field);
            else
                throw ChatScriptError(lineOf(entry.first), field, "unknown field");
        }
    }

    ChatScript::Participant participant(const YAML::Node& node, const std::string& side)
    {
        if (!node.IsMap())
            throw ChatScriptError(lineOf(node), side, "a map of nick and avatar is needed");
        ChatScript::Participant person;
        for (const auto& entry : node) {
            std::string key = entry.first.as<std::string>();
            if (key == "nick")
                person.nick = scalar(entry.second, side + ".nick");
            else if (key == "avatar")
                person.avatarPath = picture(entry.second, side + ".avatar");
            else
                throw ChatScriptError(lineOf(entry.first), side + "." + key, "unknown field");
        }
        return person;
    }

    double lineDate(const YAML::Node& at, const std::string& field, double previous, const ChatScript& script)
    {
        std::string text = scalar(at, field);
        std::smatch match;
        if (std::regex_match(text, match, std::regex(R"(\+\s*([0-9]+(?:\.[0-9]+)?)\s*([smh]?))"))) {
            double amount = std::stod(match[1]);
            std::string unit = match[2];
            return previous + amount * (unit == "h" ? 3600 : unit == "m" ? 60 : 1);
        }
        if (auto parsed = SceneTime::parseLocal(text, script.timeZone.value_or("")))
            return *parsed;
        throw ChatScriptError(lineOf(at), field, "\"+30s\", \"+2m\", \"+1h\" or a local time such as \"2016-11-24T09:41\", not \"" + text + "\"");
    }

    std::u16string amount(const YAML::Node& node, const std::string& field)
    {
        std::string text = scalar(node, field);
        if (!std::regex_match(text, std::regex(R"([0-9]{1,9}(\.[0-9]{1,2})?)")) || std::stod(text) <= 0)
            throw ChatScriptError(lineOf(node), field, "an amount above 0 with at most two decimals is needed, not \"" + text + "\"");
        return utf16(text);
    }

    ChatScript::Line readLine(const YAML::Node& node, std::size_t index, const ChatScript& script, double previous)
    {
        std::string name = "messages[" + std::to_string(index + 1) + "]";
        if (!node.IsMap())
            throw ChatScriptError(lineOf(node), name, "a map with \"me\" or \"other\" is needed");
        ChatScript::Line line;
        line.fileLine = lineOf(node);
        line.date = index == 0 ? previous : previous + ChatScriptReader::kDefaultGap;
        YAML::Node said;
        bool haveSpeaker = false;
        for (const auto& entry : node) {
            std::string key = entry.first.as<std::string>();
            if (key == "me" || key == "other") {
                if (haveSpeaker)
                    throw ChatScriptError(lineOf(entry.first), name, "a message has one speaker, \"me\" or \"other\"");
                haveSpeaker = true;
                said.reset(entry.second);
                line.isSend = key == "me";
            } else if (key == "at") {
                line.date = lineDate(entry.second, name + ".at", previous, script);
            } else {
                throw ChatScriptError(lineOf(entry.first), name + "." + key, "unknown speaker; \"me\" or \"other\" is needed");
            }
        }
        if (!haveSpeaker)
            throw ChatScriptError(line.fileLine, name, "no speaker; \"me\" or \"other\" is needed");
        if (said.IsScalar()) {
            line.kind = ChatScript::Kind::Text;
            line.text = utf16(said.Scalar());
            return line;
        }
        if (!said.IsMap())
            throw ChatScriptError(lineOf(said), name, "a text or a map such as {photo: cat.jpg} is needed");
        readContent(said, name, script, line, index);
        return line;
    }

    void readContent(const YAML::Node& said, const std::string& name, const ChatScript& script, ChatScript::Line& line, std::size_t index)
    {
        bool haveKind = false;
        auto setKind = [&](ChatScript::Kind kind, const YAML::Node& key) {
            if (haveKind)
                throw ChatScriptError(lineOf(key), name, "one kind of message per line");
            haveKind = true;
            line.kind = kind;
        };
        std::optional<YAML::Node> greeting, taken, collected;
        for (const auto& entry : said) {
            std::string key = entry.first.as<std::string>();
            std::string field = name + "." + key;
            const YAML::Node& value = entry.second;
            if (key == "text") {
                setKind(ChatScript::Kind::Text, entry.first);
                line.text = utf16(scalar(value, field));
            } else if (key == "photo") {
                setKind(ChatScript::Kind::Photo, entry.first);
                line.photoPath = picture(value, field);
            } else if (key == "voice") {
                setKind(ChatScript::Kind::Voice, entry.first);
                std::string text = scalar(value, field);
                if (!std::regex_match(text, std::regex(R"([0-9]{1,3}(\.[0-9]+)?)")) || std::stod(text) < 1 || std::stod(text) > 60)
                    throw ChatScriptError(lineOf(value), field, "a length from 1 to 60 seconds is needed, not \"" + text + "\"");
                line.seconds = std::stod(text);
            } else if (key == "redPacket") {
                setKind(ChatScript::Kind::RedPacket, entry.first);
                line.amount = amount(value, field);
            } else if (key == "transfer") {
                setKind(ChatScript::Kind::Transfer, entry.first);
                line.amount = amount(value, field);
            } else if (key == "recall") {
                setKind(ChatScript::Kind::Recall, entry.first);
                line.recalled = recallTarget(value, field, script, index);
            } else if (key == "greeting") {
                greeting = value;
            } else if (key == "taken") {
                taken = value;
            } else if (key == "collected") {
                collected = value;
            } else {
                throw ChatScriptError(lineOf(entry.first), field, "unknown field");
            }
        }
        if (!haveKind)
            throw ChatScriptError(lineOf(said), name, "no message: text, photo, voice, redPacket, transfer or recall is needed");
        if (greeting) {
            if (line.kind != ChatScript::Kind::RedPacket)
                throw ChatScriptError(lineOf(*greeting), name + ".greeting", "only a red packet has a greeting");
            line.greeting = scalar(*greeting, name + ".greeting");
        }
        if (taken) {
            if (line.kind != ChatScript::Kind::RedPacket)
                throw ChatScriptError(lineOf(*taken), name + ".taken", "only a red packet is taken");
            line.taken = flag(*taken, name + ".taken");
        }
        if (collected) {
            if (line.kind != ChatScript::Kind::Transfer)
                throw ChatScriptError(lineOf(*collected), name + ".collected", "only a transfer is collected");
            line.collected = flag(*collected, name + ".collected");
            if (line.collected && !isMessenger(script.style))
                throw ChatScriptError(lineOf(*collected), name + ".collected", "payment-style transfers are never collected");
        }
    }

    int recallTarget(const YAML::Node& value, const std::string& field, const ChatScript& script, std::size_t index)
    {
        std::string text = scalar(value, field);
        if (!std::regex_match(text, std::regex("[0-9]{1,9}")))
            throw ChatScriptError(lineOf(value), field, "the number of an earlier message is needed, not \"" + text + "\"");
        long number = std::stol(text);
        if (number < 1 || static_cast<std::size_t>(number) > index)
            throw ChatScriptError(lineOf(value), field, "there is no earlier message " + text);
        int target = int(number - 1);
        const auto& recalled = script.lines[target];
        if (recalled.kind == ChatScript::Kind::RedPacket || recalled.kind == ChatScript::Kind::Transfer)
            throw ChatScriptError(lineOf(value), field, "message " + text + " is money, which cannot be recalled");
        if (recalled.kind == ChatScript::Kind::Recall)
            throw ChatScriptError(lineOf(value), field, "message " + text + " is itself a recall");
        for (const auto& line : script.lines) {
            if (line.kind == ChatScript::Kind::Recall && line.recalled == target)
                throw ChatScriptError(lineOf(value), field, "message " + text + " is already recalled");
        }
        return target;
    }

    std::string m_folder;
};

} // namespace

ChatScript ChatScriptReader::readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ChatScriptError(0, "", "cannot read \"" + path + "\"");
    std::stringstream text;
    text << in.rdbuf();
    auto script = readText(text.str(), std::filesystem::path(path).parent_path().string());
    script.path = path;
    return script;
}

ChatScript ChatScriptReader::readText(const std::string& text, const std::string& folder)
{
    YAML::Node root;
    try {
        root = YAML::Load(text);
    } catch (const YAML::Exception& error) {
        throw ChatScriptError(error.mark.line >= 0 ? error.mark.line + 1 : 0, "", error.msg);
    }
    try {
        return Reader(folder).read(root);
    } catch (const YAML::Exception& error) {
        throw ChatScriptError(error.mark.line >= 0 ? error.mark.line + 1 : 0, "", error.msg);
    }
}

} // namespace shell
