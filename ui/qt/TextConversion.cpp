#include "ui/qt/TextConversion.h"

#include <QStringDecoder>
#include <array>

namespace verdanto {
namespace {

// Windows-1252 in 0x80-0x9F; the five unassigned bytes map to the C1 controls
// of the same value, as Windows itself converts them. 0xA0-0xFF equal Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

QString FromCp1252(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    *out++ = QChar(byte >= 0x80 && byte <= 0x9F ? kCp1252High[byte - 0x80] : char16_t{byte});
  }
  return text;
}

}  // namespace

QString ToWindowText(std::string_view storeText) {
  // Stateless: each call stands alone. ConvertInitialBom: a leading BOM is text
  // like any other, so that it survives the round trip.
  QStringDecoder utf8(QStringDecoder::Utf8,
                      QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
  QString text = utf8.decode(QByteArrayView(storeText.data(), static_cast<qsizetype>(storeText.size())));
  if (!utf8.hasError()) return text;
  return FromCp1252(storeText);
}

std::string ToStoreText(const QString& windowText) { return windowText.toStdString(); }

std::string ToStoreTextKeeping(const QString& shown, std::string_view original) {
  if (shown == ToWindowText(original)) return std::string(original);
  return ToStoreText(shown);
}

}  // namespace verdanto
