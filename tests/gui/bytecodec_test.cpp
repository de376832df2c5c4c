#include "platform/bytecodec.h"

#include <QStringDecoder>
#include <QtTest>

#include <random>

using namespace mapwright;

class CByteCodecTest : public QObject {
    Q_OBJECT
private slots:
    void EveryByteComesBackAfterDecodeAndEncode_data();
    void EveryByteComesBackAfterDecodeAndEncode();
    void ValidityAgreesWithQtsDecoderOnRandomBytes();
    void Windows1252ShowsItsCharactersAndWritesTheRestAsReferences();
    void PositionsCountUtf16UnitsOverBytes();
    void PageIsUtf8OnlyWhenEveryLineIs();
};

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (const int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

}  // namespace

void CByteCodecTest::EveryByteComesBackAfterDecodeAndEncode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("codec");
    const auto row = [](const char* name, const std::string& bytes, ETextCodec codec) {
        QTest::newRow(name) << QByteArray(bytes.data(), qsizetype(bytes.size())) << int(codec);
    };
    row("byte-order mark", Bytes({0xEF, 0xBB, 0xBF, 'h', 'i'}), ETextCodec::Utf8);
    row("mark in the middle", "a" + Bytes({0xEF, 0xBB, 0xBF}) + "b", ETextCodec::Utf8);
    row("NUL", std::string("a\0b", 3), ETextCodec::Utf8);
    row("CR without LF", "<AREA\rHREF=x>", ETextCodec::Utf8);
    row("four-byte character", Bytes({'<', 0xF0, 0x9F, 0x98, 0x80, '>'}), ETextCodec::Utf8);
    row("noncharacter", Bytes({0xEF, 0xBF, 0xBF}), ETextCodec::Utf8);
    row("Latin-1 e acute", Bytes({'c', 'a', 'f', 0xE9}), ETextCodec::Windows1252);
    row("truncated sequence", Bytes({'a', 0xE2, 0x82}), ETextCodec::Windows1252);
    row("lead byte before a non-continuation", Bytes({0xD0, 0xF8}), ETextCodec::Windows1252);
    row("overlong slash", Bytes({0xC0, 0xAF}), ETextCodec::Windows1252);
    row("surrogate", Bytes({0xED, 0xA0, 0x80}), ETextCodec::Windows1252);
    row("past U+10FFFF", Bytes({0xF4, 0x90, 0x80, 0x80}), ETextCodec::Windows1252);
    row("mark then Latin-1", Bytes({0xEF, 0xBB, 0xBF, 0xE9}), ETextCodec::Windows1252);
    std::string c1;
    for (int value = 0x80; value <= 0x9F; ++value)
        c1 += static_cast<char>(value);
    row("bytes 80 to 9F", c1, ETextCodec::Windows1252);
    std::string all;
    for (int value = 0; value < 256; ++value)
        all += static_cast<char>(value);
    row("all bytes", all, ETextCodec::Windows1252);
}

void CByteCodecTest::EveryByteComesBackAfterDecodeAndEncode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, codec);
    const std::string input(bytes.constData(), std::size_t(bytes.size()));
    QCOMPARE(int(DetectCodec(input)), codec);
    const QString text = DecodeBytes(input);
    QCOMPARE(DecodedLength(input, ETextCodec(codec)), text.size());
    QCOMPARE(EncodeText(text, ETextCodec(codec)), input);
}

void CByteCodecTest::ValidityAgreesWithQtsDecoderOnRandomBytes()
{
    // Strings built of well-formed sequences, broken ones and random bytes. Where the codec says
    // UTF-8 Qt's decoder finds no error; where it says otherwise, decoding as UTF-8 would lose
    // bytes (Qt's error flag misses some broken sequences, such as D0 F8, so the text is compared).
    std::mt19937 random(20261209);
    const std::vector<std::string> pieces = {
        "a", "<", Bytes({0xC3, 0xA9}), Bytes({0xE2, 0x82, 0xAC}), Bytes({0xF0, 0x9F, 0x98, 0x80}),
        Bytes({0xEF, 0xBB, 0xBF}), Bytes({0xED, 0x9F, 0xBF}), Bytes({0xF4, 0x8F, 0xBF, 0xBF}),
        Bytes({0xE0, 0xA0, 0x80}), Bytes({0xC2}), Bytes({0x80}), Bytes({0xE0, 0x9F, 0x80}), Bytes({0xF8})};
    int utf8 = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const int count = int(random() % 6);
        for (int i = 0; i < count; ++i) {
            if (random() % 5 == 0)
                bytes += static_cast<char>(random() % 256);
            else
                bytes += pieces[random() % pieces.size()];
        }
        QStringDecoder decoder(QStringConverter::Utf8,
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        const QString asUtf8 = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        const ETextCodec codec = DetectCodec(bytes);
        if (codec == ETextCodec::Utf8)
            QVERIFY(!decoder.hasError());
        else
            QVERIFY(EncodeText(asUtf8, ETextCodec::Utf8) != bytes);
        QCOMPARE(EncodeText(DecodeBytes(bytes, codec), codec), bytes);
        utf8 += codec == ETextCodec::Utf8;
    }
    QVERIFY(utf8 > 300 && utf8 < 2700);  // both kinds were tried often
}

void CByteCodecTest::Windows1252ShowsItsCharactersAndWritesTheRestAsReferences()
{
    const QString shown = DecodeBytes(Bytes({0x80, 0x81, 0x93, 0x9F, 0xA0, 0xE9}), ETextCodec::Windows1252);
    QCOMPARE(shown, QString::fromUtf16(u"\u20AC\u0081\u201C\u0178\u00A0\u00E9"));
    QCOMPARE(EncodeText(QString::fromUtf16(u"\u20AC caf\u00E9 \u2014"), ETextCodec::Windows1252),
             Bytes({0x80, ' ', 'c', 'a', 'f', 0xE9, ' ', 0x97}));
    QCOMPARE(EncodeText(QString::fromUtf16(u"\u6F22x\U0001F600\u0080"), ETextCodec::Windows1252),
             std::string("&#28450;x&#128512;&#128;"));
    QCOMPARE(EncodeText(QString::fromUtf16(u"\u6F22"), ETextCodec::Utf8), Bytes({0xE6, 0xBC, 0xA2}));
}

void CByteCodecTest::PositionsCountUtf16UnitsOverBytes()
{
    // a, e acute (2 bytes), a CJK character (3), an emoji (4 bytes, 2 units), b.
    const std::string utf8 = "a" + Bytes({0xC3, 0xA9, 0xE6, 0xBC, 0xA2, 0xF0, 0x9F, 0x98, 0x80}) + "b";
    QCOMPARE(DecodedLength(utf8, ETextCodec::Utf8), qsizetype(6));
    const std::size_t expected[] = {0, 1, 3, 6, 10, 10, 11, 11};
    for (qsizetype position = 0; position < 8; ++position)
        QCOMPARE(BytePosition(utf8, ETextCodec::Utf8, position), expected[position]);
    QCOMPARE(BytePosition(utf8, ETextCodec::Windows1252, 4), std::size_t(4));
    QCOMPARE(BytePosition(utf8, ETextCodec::Windows1252, 40), utf8.size());
}

void CByteCodecTest::PageIsUtf8OnlyWhenEveryLineIs()
{
    std::vector<std::string> lines = {"<html>", "caf" + Bytes({0xC3, 0xA9}), std::string(5000, 'x')};
    QCOMPARE(DetectCodec(lines), ETextCodec::Utf8);
    lines.push_back(Bytes({'a', 0xE9}));
    QCOMPARE(DetectCodec(lines), ETextCodec::Windows1252);
    QCOMPARE(DetectCodec(std::vector<std::string>{}), ETextCodec::Utf8);
}

QTEST_GUILESS_MAIN(CByteCodecTest)
#include "bytecodec_test.moc"
