// Template text and replace lists: the first piece (split at 0x01) is the
// template as embedded bytes, the rest are TAG VALUE pairs.
#include "wiz_util.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<QByteArray> pieces = bytes.split('\x01');
    const QByteArray stored = pieces.takeFirst();
    const QString text = wiz::text(stored);
    QStringList pairs;
    for (const QByteArray &piece : pieces)
        pairs << QString::fromLatin1(piece);
    if (pairs.size() % 2)
        pairs.removeLast();

    // Pair by pair, so that a list whose values hold their own tags (each pair
    // then multiplies the text) stops once the text would pass 4K characters,
    // eight times the longest input; every step must agree with Qt's own
    // replacement.
    QString replaced = text;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        const QString &tag = pairs.at(i);
        const QString &value = pairs.at(i + 1);
        if (!tag.isEmpty()
            && replaced.size() + replaced.count(tag) * (value.size() - tag.size()) > (1 << 12))
            break;
        QString expected = replaced;
        if (!tag.isEmpty())
            expected.replace(tag, value);
        replaced = wiz::applyReplaceList(replaced, pairs.mid(i, 2));
        if (replaced != expected)
            std::abort();
    }
    // A template's bytes come back exactly as stored, up to its first NUL.
    if (wiz::encoded(text)
        != stored.left(qsizetype(qstrnlen(stored.constData(), size_t(stored.size())))))
        std::abort();
    return 0;
}
