#include "TestSupport.h"

#include "config/ConfigChecks.h"
#include "config/SettingTable.h"
#include "text/TextUtil.h"

#include <QTest>
#include <algorithm>

using namespace testsupport;

namespace {

// A value each kind of setting holds after a read, unlike a new document's.
std::string sampleValue(const SettingRow& row) {
    switch (row.value) {
    case ValueKind::Number:
        return std::to_string(row.range.upper);
    case ValueKind::Choice: {
        const auto words = SettingTable::choices(row.choice);
        const auto other = std::ranges::find_if(words, [&](std::string_view w) {
            return row.newValue == nullptr || w != row.newValue;
        });
        return std::string(*other);
    }
    case ValueKind::Time:
        return "08:30";
    case ValueKind::VolumePath:
        return "VOL:DIR\\SUB\\";
    case ValueKind::EventWords:
        return "SKIPPED ";
    case ValueKind::Text:
        break;
    }
    switch (row.form) {
    case SettingForm::Quoted:
        return "Back up, now";
    case SettingForm::Schedule:
        return "02:00";
    case SettingForm::OpenFiles:
        return "ALERT";
    default:
        return "SRV1";
    }
}

// The line as the writer writes it, found whole in the file.
std::string expectedLine(const SettingRow& row, bool inPackage, const std::string& value) {
    const std::string head = (inPackage ? "  " : "") + std::string(row.keyword);
    switch (row.form) {
    case SettingForm::Quoted:
    case SettingForm::QuotedPath:
        return head + " \"" + value + "\"\r\n";
    case SettingForm::WordList:
        return head + " " + value + "\r\n";
    case SettingForm::Flag:
        return head + "\r\n";
    case SettingForm::Schedule:
        return head + " " + value + " MON \r\n";
    case SettingForm::OpenFiles:
        return head + " " + value + " 60\r\n";
    case SettingForm::CommandFiles:
        return head + " SRC \"" + value + "\"\r\n\r\n" + std::string(row.inPackage.comment) + head +
               " DST \"VOL:T.NCF\"\r\n";
    default:
        return head + std::string(row.gap) + value + "\r\n";
    }
}

// Sets a row's value, and what goes with it, in the global settings or the
// package.
void setValue(ConfigModel& m, const SettingRow& row, bool inPackage, const std::string& value) {
    if (!inPackage) {
        if (row.form == SettingForm::Password)
            m.password = value;
        else
            m.global.*row.global = value;
        // A window that applies writes its times as they are.
        if (row.form == SettingForm::TimeWindow)
            m.global.jobWindow = "08:30-00:00";
        return;
    }
    PackageDesc& p = m.packages.at(1);
    p.*row.package = value;
    if (row.form == SettingForm::Schedule)
        p.scheduleDays = "MON ";
    if (row.form == SettingForm::OpenFiles)
        p.ofHandlerDelay = 60;
    if (row.form == SettingForm::CommandFiles)
        p.*row.second = "VOL:T.NCF";
}

const std::string& valueOf(const ConfigModel& m, const SettingRow& row, bool inPackage) {
    if (inPackage)
        return m.packages.at(1).*row.package;
    return row.form == SettingForm::Password ? m.password : m.global.*row.global;
}

std::uint32_t lineOf(const ConfigModel& m, const SettingRow& row, bool inPackage) {
    return inPackage ? m.packages.at(1).lines[row.packageKey] : m.global.lines[row.globalKey];
}

std::string_view fileLine(const std::string& file, std::uint32_t number) {
    std::size_t at = 0;
    for (std::uint32_t n = 1; n < number && at != std::string::npos; ++n)
        at = file.find("\r\n", at) + 2;
    return std::string_view(file).substr(at, file.find("\r\n", at) - at);
}

ConfigModel withPackage() {
    ConfigModel m;
    m.resetToNew();
    m.addPackage("P");
    m.packages.at(1).source = "SRC";
    return m;
}

} // namespace

class TestSettingTable : public QObject {
    Q_OBJECT

private slots:
    void everySettingReadsAndWritesBack_data();
    void everySettingReadsAndWritesBack();
    void outsideValuesNameTheRow_data();
    void outsideValuesNameTheRow();
};

void TestSettingTable::everySettingReadsAndWritesBack_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("inPackage");
    for (std::size_t i = 0; i < SettingTable::kRows.size(); ++i) {
        const SettingRow& row = SettingTable::kRows[i];
        const std::string keyword(row.keyword);
        if (row.inGlobalScope())
            QTest::addRow("%s", keyword.c_str()) << int(i) << false;
        if (row.inPackageScope())
            QTest::addRow("package %s", keyword.c_str()) << int(i) << true;
    }
}

void TestSettingTable::everySettingReadsAndWritesBack() {
    QFETCH(int, index);
    QFETCH(bool, inPackage);
    const SettingRow& row = SettingTable::kRows[static_cast<std::size_t>(index)];
    // The version a read ends with is the current one, whatever the file says.
    const std::string value =
        row.form == SettingForm::Password ? std::string(80, 'a') : sampleValue(row);
    ConfigModel m = withPackage();
    setValue(m, row, inPackage, row.keyword == "VERSION" ? "1.30" : value);
    const std::string written = writeConfig(m);
    const std::string line =
        expectedLine(row, inPackage, row.keyword == "VERSION" ? "1.30" : value);
    QVERIFY2(written.find(line) != std::string::npos, line.c_str());

    const ConfigModel read = readConfig(written);
    QCOMPARE(valueOf(read, row, inPackage), valueOf(m, row, inPackage));
    const std::string_view at = TextUtil::trimLeft(fileLine(written, lineOf(read, row, inPackage)));
    QCOMPARE(at.substr(0, row.keyword.size()), row.keyword);
    QCOMPARE(writeConfig(read), written);
}

void TestSettingTable::outsideValuesNameTheRow_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("inPackage");
    QTest::addColumn<std::string>("value");
    for (std::size_t i = 0; i < SettingTable::kRows.size(); ++i) {
        const SettingRow& row = SettingTable::kRows[i];
        const std::string keyword(row.keyword);
        std::vector<std::pair<const char*, std::string>> values;
        if (row.value == ValueKind::Number)
            values = {{"below", std::to_string(row.range.lower - 1)},
                      {"above", std::to_string(row.range.upper + 1)},
                      {"no number", "12x"}};
        else if (row.value == ValueKind::Choice)
            values = {{"no choice", "MAYBE"},
                      {"lower case", std::string(SettingTable::choices(row.choice).back())}};
        for (auto& [what, value] : values) {
            if (std::string_view(what) == "lower case")
                std::transform(value.begin(), value.end(), value.begin(), ::tolower);
            if (row.inGlobalScope())
                QTest::addRow("%s %s", keyword.c_str(), what) << int(i) << false << value;
            if (row.inPackageScope())
                QTest::addRow("package %s %s", keyword.c_str(), what) << int(i) << true << value;
        }
    }
}

void TestSettingTable::outsideValuesNameTheRow() {
    QFETCH(int, index);
    QFETCH(bool, inPackage);
    QFETCH(std::string, value);
    const SettingRow& row = SettingTable::kRows[static_cast<std::size_t>(index)];
    ConfigModel m = withPackage();
    setValue(m, row, inPackage, value);
    const std::vector<Problem> problems = ConfigChecks::run(m);
    const auto found = std::ranges::find_if(problems, [&](const Problem& p) {
        return p.row == &row.label &&
               p.node == (inPackage ? row.packageNode : DetailKind::DefaultSettings);
    });
    QVERIFY2(found != problems.end(), value.c_str());
    QCOMPARE(found->message.substr(0, row.label.text.size() + 2),
             std::string(row.label.text) + " \"");
    QCOMPARE(std::ranges::count_if(problems, [&](const Problem& p) { return p.row == &row.label; }),
             1);
}

QTEST_APPLESS_MAIN(TestSettingTable)
#include "tst_settingtable.moc"
