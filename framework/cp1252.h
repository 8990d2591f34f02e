#ifndef CP1252_H
#define CP1252_H

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <iterator>

// The 8-bit rule of the generated Windows projects: Windows-1252, whose five
// undefined bytes stand for the C1 controls of the same number, as Windows
// itself reads them, so every byte comes back as stored. Header only, so the
// support library and the template folders share it without linking each
// other.
namespace cp1252 {

// Windows-1252 is Latin-1 but for 0x80 to 0x9F.
inline constexpr char16_t high[32]
    = { 0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
          0x2039, 0x0152, 0x008d, 0x017d, 0x008f, 0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
          0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178 };

inline QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const uchar c = uchar(byte);
        *out++ = c >= 0x80 && c < 0xa0 ? QChar(high[c - 0x80]) : QChar(c);
    }
    return text;
}

// Each character that Windows-1252 cannot hold becomes one "?"; where given,
// unmapped collects the positions in text of those characters.
inline QByteArray encode(QStringView text, QList<qsizetype> *unmapped = nullptr)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xa0 && c <= 0xff)) {
            bytes += char(c);
            continue;
        }
        const char16_t *found = std::find(std::begin(high), std::end(high), c);
        if (found != std::end(high)) {
            bytes += char(0x80 + (found - high));
            continue;
        }
        bytes += '?';
        if (unmapped)
            unmapped->append(i);
        // A character outside the first plane is one character, so one "?".
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return bytes;
}

} // namespace cp1252

#endif
