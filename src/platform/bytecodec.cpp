#include "platform/bytecodec.h"

#include <QStringDecoder>

namespace mapwright {

ETextCodec DetectCodec(std::string_view bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return decoder.hasError() ? ETextCodec::Latin1 : ETextCodec::Utf8;
}

QString DecodeBytes(std::string_view bytes, ETextCodec codec)
{
    const auto size = qsizetype(bytes.size());
    return codec == ETextCodec::Utf8 ? QString::fromUtf8(bytes.data(), size)
                                     : QString::fromLatin1(bytes.data(), size);
}

QString DecodeBytes(std::string_view bytes)
{
    return DecodeBytes(bytes, DetectCodec(bytes));
}

std::string EncodeText(const QString& text, ETextCodec codec)
{
    const QByteArray bytes = codec == ETextCodec::Utf8 ? text.toUtf8() : text.toLatin1();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace mapwright
