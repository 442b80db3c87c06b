#include "RegionalNumbers.h"

#include "ExactPowers.h"

#include <charconv>

namespace RegionalNumbers {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isGroupSeparator(char c) { return c == '.' || c == ',' || c == '\'' || c == ' ' || c == '\xA0'; }
}  // namespace

bool IsDigits(std::string_view text)
{
    if (text.empty()) return false;
    for (char c : text)
        if (!isDigit(c)) return false;
    return true;
}

bool ParseFixed(std::string_view text, double& value)
{
    // Room for every number a datalog holds; longer texts are not numbers of it.
    constexpr std::size_t Room = 64;
    if (text.empty() || text.size() >= Room) return false;
    const bool negative = text[0] == '-';
    const std::size_t at = negative ? 1 : 0;
    std::size_t decimalAt = text.size();
    for (std::size_t i = text.size(); i-- > at;) {
        if (!isDigit(text[i])) {
            decimalAt = i;
            break;
        }
    }
    if (decimalAt == text.size() || decimalAt + 1 == text.size()) return false;  // no decimals
    if (text[decimalAt] != '.' && text[decimalAt] != ',') return false;

    // The digits as one whole number, the decimals counted.
    char plain[Room];
    std::size_t used = 0;
    if (negative) plain[used++] = '-';
    uint64_t units = 0;
    int digits = 0;
    bool digitBefore = false;
    for (std::size_t i = at; i < decimalAt; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            plain[used++] = c;
            units = units * 10 + uint64_t(c - '0');
            if (units != 0) ++digits;
            digitBefore = true;
        } else if (!isGroupSeparator(c) || !digitBefore) {
            return false;  // a separator must follow a digit
        }
    }
    if (!digitBefore) plain[used++] = '0';  // ".5" as some locales write it
    plain[used++] = '.';
    const int decimals = int(text.size() - decimalAt - 1);
    for (std::size_t i = decimalAt + 1; i < text.size(); ++i) {
        plain[used++] = text[i];
        units = units * 10 + uint64_t(text[i] - '0');
        if (units != 0) ++digits;
    }
    // Up to 15 digits and 22 decimals both the digits and the power of ten
    // are exact doubles, so one division rounds correctly: the same value as
    // reading the text, several times faster.
    constexpr int ExactDigits = 15;
    constexpr int ExactPowers = 22;
    if (digits <= ExactDigits && decimals <= ExactPowers) {
        static constexpr auto powers = PowersOf<ExactPowers + 1>(10.0);
        value = double(units) / powers[std::size_t(decimals)];
        if (negative) value = -value;
        return true;
    }
    const auto result = std::from_chars(plain, plain + used, value);
    return result.ec == std::errc() && result.ptr == plain + used;
}

bool ParseWhole(std::string_view text, int64_t& value)
{
    const std::size_t digitsAt = !text.empty() && text[0] == '-' ? 1 : 0;
    if (!IsDigits(text.substr(digitsAt))) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool IsLeadingGroup(std::string_view text)
{
    if (!text.empty() && text[0] == '-') text.remove_prefix(1);
    return text.size() >= 1 && text.size() <= 3 && IsDigits(text);
}

bool StartsWithFullGroup(std::string_view text)
{
    return text.size() > 3 && IsDigits(text.substr(0, 3)) && !isDigit(text[3]);
}

}  // namespace RegionalNumbers
