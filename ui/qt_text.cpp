#include "ui/qt_text.h"

#include "core/codepage.h"

namespace varentix {

Text to_text(const QString& string) {
    const QByteArray utf8 = string.toUtf8();
    return utf8_to_text(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))
        .value_or(Text());
}

QString to_qstring(const Text& text) {
    if (const auto utf8 = text_to_utf8(text))
        return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size()));
    // Show what can be shown: each byte that does not decode becomes U+FFFD.
    QString shown;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t size = 1;
        if (is_lead_byte(text[at])) {
            const bool four_bytes =
                at + 1 < text.size() && text[at + 1] >= '0' && text[at + 1] <= '9';
            size = four_bytes ? 4 : 2;
        }
        const auto piece = text_to_utf8(std::string_view(text).substr(at, size));
        if (piece) {
            shown += QString::fromUtf8(piece->data(), static_cast<qsizetype>(piece->size()));
            at += size;
        } else {
            shown += QChar::ReplacementCharacter;
            ++at;
        }
    }
    return shown;
}

}  // namespace varentix
