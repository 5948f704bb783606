#include "platform/regex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

namespace platform {

struct Regex::Impl {
    pcre2_code *code = nullptr;
    pcre2_match_data *data = nullptr;
    bool allowEmpty = true;
    ~Impl()
    {
        if (data)
            pcre2_match_data_free(data);
        if (code)
            pcre2_code_free(code);
    }
};

Regex::Regex(const QString &pattern, bool caseless, bool allowEmptyMatch) : d(std::make_unique<Impl>())
{
    int err = 0;
    PCRE2_SIZE offset = 0;
    uint32_t options = PCRE2_DOTALL | PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
    if (caseless)
        options |= PCRE2_CASELESS;
    d->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.utf16()), static_cast<PCRE2_SIZE>(pattern.size()),
                            options, &err, &offset, nullptr);
    if (!d->code) {
        PCRE2_UCHAR buf[256];
        pcre2_get_error_message(err, buf, 256);
        throw RegexError(QString::fromUtf16(reinterpret_cast<const char16_t *>(buf)).toStdString());
    }
    d->data = pcre2_match_data_create_from_pattern(d->code, nullptr);
    d->allowEmpty = allowEmptyMatch;
}

Regex::~Regex() = default;
Regex::Regex(Regex &&) noexcept = default;
Regex &Regex::operator=(Regex &&) noexcept = default;

RegexMatch Regex::match(const QString &subject, qsizetype offset) const
{
    RegexMatch m;
    if (offset > subject.size())
        return m;
    const uint32_t opts = d->allowEmpty ? 0 : PCRE2_NOTEMPTY;
    const int rc = pcre2_match(d->code, reinterpret_cast<PCRE2_SPTR>(subject.utf16()),
                               static_cast<PCRE2_SIZE>(subject.size()), static_cast<PCRE2_SIZE>(offset), opts,
                               d->data, nullptr);
    if (rc < 0)
        return m;
    const PCRE2_SIZE *ov = pcre2_get_ovector_pointer(d->data);
    m.Start = static_cast<qsizetype>(ov[0]);
    m.Length = static_cast<qsizetype>(ov[1] - ov[0]);
    return m;
}

bool Regex::isMatch(const QString &subject) const
{
    return match(subject).found();
}

std::vector<RegexMatch> Regex::matches(const QString &subject) const
{
    std::vector<RegexMatch> out;
    qsizetype pos = 0;
    while (pos <= subject.size()) {
        RegexMatch m = match(subject, pos);
        if (!m.found())
            break;
        out.push_back(m);
        pos = m.Start + (m.Length > 0 ? m.Length : 1);
    }
    return out;
}

QStringList Regex::matchTexts(const QString &subject) const
{
    QStringList out;
    for (const RegexMatch &m : matches(subject))
        out << subject.mid(m.Start, m.Length);
    return out;
}

QStringList Regex::split(const QString &subject) const
{
    QStringList out;
    qsizetype last = 0;
    for (const RegexMatch &m : matches(subject)) {
        if (m.Length == 0)
            continue;
        out << subject.mid(last, m.Start - last);
        last = m.Start + m.Length;
    }
    out << subject.mid(last);
    return out;
}

} // namespace platform
