#include "money/opened/RedPacketNumber.h"

#include <random>

#include "platform/Locale.h"

std::string RedPacketNumber::text(std::optional<double> date, const RandomSource& random)
{
    std::string digits;
    for (int i = 0; i < kRandomDigits; ++i)
        digits += static_cast<char>('0' + random() % 9);
    std::string day = date ? platform::locale::formatDate(*date, "yyyyMMdd") : std::string {};
    return "红包编号：" + day + digits;
}

std::string RedPacketNumber::text(std::optional<double> date)
{
    static std::mt19937 generator { std::random_device {}() };
    return text(date, [] { return static_cast<std::uint32_t>(generator()); });
}
