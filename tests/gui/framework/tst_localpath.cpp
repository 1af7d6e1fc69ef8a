#include "framework/LocalPath.h"

#include <QMimeData>
#include <QTest>

namespace {

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), std::size_t(bytes.size())};
}

// A drag's data as the platform hands it over: the URI list's bytes as sent
// (QMimeData's own setData() would decode and encode the list again).
class PlatformDrop : public QMimeData {
public:
    explicit PlatformDrop(QByteArray uriList) : uriList_(std::move(uriList)) {}
    QStringList formats() const override { return {QStringLiteral("text/uri-list")}; }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override {
        return type == QLatin1String("text/uri-list") ? QVariant(uriList_) : QVariant();
    }

private:
    QByteArray uriList_;
};

} // namespace

// File names that are not UTF-8 kept whole between the system and the windows.
class TestLocalPath : public QObject {
    Q_OBJECT

private slots:
    void namesRoundTrip_data();
    void namesRoundTrip();
    void everyShortNameRoundTrips();
};

void TestLocalPath::namesRoundTrip_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("utf8");
    const auto row = [](const char* tag, QByteArray name, const char16_t* shown, bool utf8) {
        QTest::newRow(tag) << name << QString::fromUtf16(shown) << utf8;
    };
    row("ascii", "sync.cfg", u"sync.cfg", true);
    row("Latin-1 byte", "caf\xe9.cfg", u"caf\\xE9.cfg", false);
    row("Cyrillic", "\xd0\x9e\xd1\x82\xd1\x87\xd1\x91\xd1\x82\xd1\x8b.cfg", u"Отчёты.cfg", true);
    row("valid then a stray byte", "\xc3\xa9\xe9", u"é\\xE9", false);
    row("cut sequence at the end", "a\xc3", u"a\\xC3", false);
    row("overlong slash",
        "a\xc0\xaf"
        "b",
        u"a\\xC0\\xAFb", false);
    row("encoded surrogate", "\xed\xb3\xa9", u"\\xED\\xB3\\xA9", false);
    row("beyond U+10FFFF", "\xf4\x90\x80\x80", u"\\xF4\\x90\\x80\\x80", false);
    // U+10080: its low surrogate U+DC80 is also the code of a kept byte 0x80.
    row("pair with the low half of a kept byte", "\xf0\x90\x82\x80", u"\U00010080", true);
    row("every high byte alone", "\x80\xbf\xc0\xc1\xf5\xff", u"\\x80\\xBF\\xC0\\xC1\\xF5\\xFF",
        false);
}

void TestLocalPath::namesRoundTrip() {
    QFETCH(QByteArray, name);
    QFETCH(QString, shown);
    QFETCH(bool, utf8);
    const QByteArray bytes = "/tmp/d\xe9/" + name;
    const QString path = LocalPath::fromBytes(view(bytes));
    QCOMPARE(QByteArray::fromStdString(LocalPath::toBytes(path)), bytes);
    QVERIFY(!LocalPath::isUtf8(path)); // its folder holds 0xE9
    QCOMPARE(LocalPath::displayName(path.section(u'/', -1)), shown);
    QCOMPARE(LocalPath::isUtf8(path.section(u'/', -1)), utf8);
    if (utf8)
        QCOMPARE(path.section(u'/', -1), QString::fromUtf8(name));
    QCOMPARE(LocalPath::displayMessage("Cannot open " + bytes.toStdString()),
             QStringLiteral("Cannot open /tmp/d\\xE9/") + shown);

    // Through a file URL, and a drop's URI list as a file manager writes it.
    const QUrl url = LocalPath::toUrl(path);
    QCOMPARE(LocalPath::fromUrl(url), path);
    QVERIFY(url.toEncoded().startsWith("file:///tmp/d%E9/"));
    const PlatformDrop drop("# from the file manager\r\n" + url.toEncoded() +
                            "\r\nhttps://host/x.cfg\r\n");
    QCOMPARE(LocalPath::filesOf(drop), QStringList{path});
    // Raw bytes where percent escapes belong, as some programs send them.
    QCOMPARE(LocalPath::filesOf(PlatformDrop("file://" + bytes + "\n")), QStringList{path});
}

void TestLocalPath::everyShortNameRoundTrips() {
    // Bytes that start, continue, cut and overlong UTF-8 sequences, mixed.
    const QByteArray alphabet("/a\x80\x8f\x9f\xa0\xbf\xc2\xc3\xe0\xed\xf0\xf4\xff", 14);
    QByteArray name(4, '\0');
    for (int n = 0; n < 14 * 14 * 14 * 14; ++n) {
        for (int i = 0, rest = n; i < 4; ++i, rest /= 14)
            name[i] = alphabet[rest % 14];
        const QString path = LocalPath::fromBytes(view(name));
        QCOMPARE(QByteArray::fromStdString(LocalPath::toBytes(path)), name);
        QCOMPARE(LocalPath::fromBytes(LocalPath::toBytes(path)), path);
    }
}

QTEST_GUILESS_MAIN(TestLocalPath)
#include "tst_localpath.moc"
