#include "shell/script/ChatScriptWriter.h"

#include <filesystem>
#include <fstream>

#include <yaml-cpp/yaml.h>

#include <functional>

#include "chat/records/QYChatModel.h"
#include "composer/ChatStore.h"
#include "platform/Locale.h"
#include "shell/scene/SceneTime.h"

namespace shell {

namespace {

constexpr const char* kTimePattern = "yyyy-MM-dd'T'HH:mm:ss";

std::string utf8Text(const coding::StringPtr& value)
{
    return value ? value->utf8() : std::string();
}

// A money text as shown ("￥1,234.50") back to the amount typed ("1234.50").
std::string plainAmount(const std::string& shown)
{
    std::string digits;
    for (char c : shown) {
        if ((c >= '0' && c <= '9') || c == '.')
            digits += c;
    }
    return digits;
}

class Writer {
public:
    explicit Writer(std::filesystem::path scriptPath)
        : m_script(std::move(scriptPath))
    {
    }

    // Writes `data` next to the script; returns the name the script uses.
    std::string picture(const coding::DataPtr& data, const std::string& what)
    {
        std::string name = m_script.stem().string() + "-" + what + ".jpg";
        std::ofstream out(m_script.parent_path() / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data->bytes().data()), std::streamsize(data->bytes().size()));
        if (!out)
            m_failed = true;
        return name;
    }

    bool failed() const { return m_failed; }

private:
    std::filesystem::path m_script;
    bool m_failed = false;
};

} // namespace

std::string ChatScriptWriter::write(ChatStyle style, const std::string& scriptPath)
{
    auto user = ChatStore::loadUser(style);
    auto conversation = ChatStore::loadConversation(style);
    if (!user && !conversation)
        return "no saved chat of this style in the home folder";
    Writer files(scriptPath);
    YAML::Emitter out;
    out << YAML::BeginMap;
    out << YAML::Key << "style" << YAML::Value << (isMessenger(style) ? "messenger" : "payment");
    // The times below are local times of this zone.
    std::string zone = platform::locale::formatDate(0, "VV");
    if (SceneTime::isKnownZone(zone))
        out << YAML::Key << "timeZone" << YAML::Value << zone;
    // The pictures are the store's own JPEG data, used as they are.
    out << YAML::Key << "pictures" << YAML::Value << "saved";
    if (user) {
        for (bool me : { true, false }) {
            out << YAML::Key << (me ? "me" : "other") << YAML::Value << YAML::BeginMap;
            const auto& nick = me ? user->meNick() : user->heNick();
            if (nick)
                out << YAML::Key << "nick" << YAML::Value << nick->utf8();
            if (const auto& avatar = me ? user->meAvatar() : user->heAvatar())
                out << YAML::Key << "avatar" << YAML::Value << files.picture(avatar, me ? "me" : "other");
            out << YAML::EndMap;
        }
        if (user->backGroundImage())
            out << YAML::Key << "background" << YAML::Value << files.picture(user->backGroundImage(), "background");
        if (user->noReadNum() && !user->noReadNum()->utf8().empty())
            out << YAML::Key << "unread" << YAML::Value << YAML::DoubleQuoted << user->noReadNum()->utf8();
    }
    out << YAML::Key << "messages" << YAML::Value << YAML::BeginSeq;
    std::vector<std::shared_ptr<QYChatModel>> rows;
    if (conversation) {
        for (const auto& element : conversation->elements()) {
            if (auto row = std::dynamic_pointer_cast<QYChatModel>(element))
                rows.push_back(row);
        }
    }
    int number = 0;
    int photo = 0;
    auto line = [&](bool isSend, double date, const std::function<void()>& body) {
        ++number;
        out << YAML::BeginMap << YAML::Key << (isSend ? "me" : "other") << YAML::Value;
        body();
        out << YAML::Key << "at" << YAML::Value << platform::locale::formatDate(date, kTimePattern);
        out << YAML::EndMap;
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = *rows[i];
        double date = row.creatDate() ? row.creatDate()->secondsSince1970() : 0;
        switch (row.type()) {
        case QYChatModel::Text:
            line(row.isSend(), date, [&] { out << YAML::BeginMap << YAML::Key << "text" << YAML::Value << utf8Text(row.context()) << YAML::EndMap; });
            break;
        case QYChatModel::Image:
            if (!row.image())
                break;
            line(row.isSend(), date, [&] {
                out << YAML::BeginMap << YAML::Key << "photo" << YAML::Value << files.picture(row.image(), "photo-" + std::to_string(++photo)) << YAML::EndMap;
            });
            break;
        case QYChatModel::Voice:
            line(row.isSend(), date, [&] { out << YAML::BeginMap << YAML::Key << "voice" << YAML::Value << row.duration() << YAML::EndMap; });
            break;
        case QYChatModel::RedPacket:
            line(row.isSend(), date, [&] {
                out << YAML::BeginMap << YAML::Key << "redPacket" << YAML::Value << plainAmount(utf8Text(row.redPac()));
                out << YAML::Key << "greeting" << YAML::Value << utf8Text(row.context());
                out << YAML::Key << "taken" << YAML::Value << row.isGet() << YAML::EndMap;
            });
            break;
        case QYChatModel::Transfer: {
            if (!row.isTran())
                break; // a receipt: written as its transfer's "collected"
            bool collected = row.isGet() && isMessenger(style);
            line(row.isSend(), date, [&] {
                out << YAML::BeginMap << YAML::Key << "transfer" << YAML::Value << plainAmount(utf8Text(row.redPac()));
                if (collected)
                    out << YAML::Key << "collected" << YAML::Value << true;
                out << YAML::EndMap;
            });
            break;
        }
        case QYChatModel::RecallNotice:
            // What was recalled is gone; a stand-in line by its side is recalled again.
            line(row.isMeRevoke(), date, [&] { out << YAML::BeginMap << YAML::Key << "text" << YAML::Value << "…" << YAML::EndMap; });
            line(row.isSend(), date, [&] { out << YAML::BeginMap << YAML::Key << "recall" << YAML::Value << number - 1 << YAML::EndMap; });
            break;
        default:
            break;
        }
    }
    out << YAML::EndSeq << YAML::EndMap;
    std::ofstream file(scriptPath, std::ios::binary);
    file << out.c_str() << '\n';
    if (!file || files.failed())
        return "cannot write \"" + scriptPath + "\"";
    return {};
}

} // namespace shell
