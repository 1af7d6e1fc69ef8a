#include "TestSupport.h"

#include "netbrowse/MemoryDirectoryClient.h"
#include "netbrowse/NetworkNeighbourhood.h"
#include "netbrowse/NetworkPath.h"

#include <QTest>
#include <memory>
#include <string>

namespace {

// The tree of the sample network, with the faults the tests need: a volume
// whose name cannot be read, maps without a readable path or volume name,
// and objects whose flags carry other bits.
const char* const Faults = R"(
page-size 2
tree TREE1
object BADVOL.OU1.ORG Volume leaf
unreadable BADVOL.OU1.ORG "Host Resource Name"
object NOPATH.OU1.ORG "Directory Map" leaf
object NOVOL.OU1.ORG "Directory Map" leaf
path NOVOL.OU1.ORG BADVOL.OU1.ORG \DATA
object BARE.OU1.ORG "Directory Map" leaf
path BARE.OU1.ORG SRV1_VOL1.OU1.ORG DATA
object DEEP.OU1.ORG "Directory Map" leaf
path DEEP.OU1.ORG SRV1_VOL1.OU1.ORG \\DATA
object V3.OU1.ORG Volume 0x3
value V3.OU1.ORG "Host Resource Name" AVOL
object PART.OU1.ORG Partition 0x5
object PV.PART.OU1.ORG Volume leaf
value PV.PART.OU1.ORG "Host Resource Name" PVOL
drive /net/g SRV1 VOL1 APPS
)";

std::unique_ptr<MemoryDirectoryClient> network(std::string_view extra = {}) {
    return testsupport::sampleNetwork(extra);
}

std::unique_ptr<MemoryDirectoryClient> described(std::string_view text) {
    auto client = std::make_unique<MemoryDirectoryClient>();
    if (const Status loaded = client->load(text); !loaded.ok)
        qFatal("%s", loaded.error.c_str());
    return client;
}

} // namespace

class TestNetworkPath : public QObject {
    Q_OBJECT

private slots:
    void picks_data();
    void picks();
    void uncPaths_data();
    void uncPaths();
    void treeNames();
    void takePathComponent_data();
    void takePathComponent();
    void findChildObject();
    void readingAttributes();
    void iterationsAreEnded();
    void descriptionErrors_data();
    void descriptionErrors();
    void junkDescription();
    void neighbourhood();
    void neighbourhoodPathsResolve();
};

void TestNetworkPath::picks_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    const int volume = int(PickKind::VolumeForm);
    QTest::newRow("mapped root, lone backslash") << "/net/h" << volume << "VOL1:";
    QTest::newRow("mapped folder") << "/net/h/A/B" << volume << "VOL1:A\\B";
    QTest::newRow("untidy mapped path") << "/net//h/./A/" << volume << "VOL1:A";
    QTest::newRow("drive at a directory without backslash")
        << "/net/g/X" << volume << "VOL1:APPS\\X";
    QTest::newRow("drive folder itself") << "/net/g" << volume << "VOL1:APPS";
    QTest::newRow("beside the drive") << "/net/hx" << int(PickKind::LocalPath) << "";
    QTest::newRow("local") << "/home/user" << int(PickKind::LocalPath) << "";
    QTest::newRow("server volume") << "\\\\SRV1\\VOL1" << volume << "VOL1:";
    QTest::newRow("server folder") << "\\\\SRV1\\VOL1\\A\\B" << volume << "VOL1:A\\B";
    QTest::newRow("tree container gives empty") << "\\\\TREE1\\ORG\\OU1" << volume << "";
}

void TestNetworkPath::picks() {
    QFETCH(QString, path);
    QFETCH(int, kind);
    QFETCH(QString, text);
    auto client = network(Faults);
    std::string result = "untouched";
    QCOMPARE(int(ResolvePickedPath(*client, path.toStdString(), result)), kind);
    QCOMPARE(result,
             kind == int(PickKind::LocalPath) ? std::string("untouched") : text.toStdString());
}

void TestNetworkPath::uncPaths_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("form");
    QTest::newRow("server volume") << "\\\\SRV1\\VOL1"
                                   << "VOL1:";
    QTest::newRow("server folder") << "\\\\SRV1\\VOL1\\A\\B"
                                   << "VOL1:A\\B";
    QTest::newRow("server alone") << "\\\\SRV1"
                                  << "SRV1:";
    QTest::newRow("tree not connected is a server") << "\\\\TREE2\\ORG\\OU1"
                                                    << "ORG:OU1";
    QTest::newRow("container") << "\\\\TREE1\\ORG\\OU1"
                               << "";
    QTest::newRow("top container") << "\\\\TREE1\\ORG"
                                   << "";
    QTest::newRow("tree alone") << "\\\\TREE1\\"
                                << "";
    QTest::newRow("unknown object") << "\\\\TREE1\\ORG\\NOPE\\A"
                                    << "";
    QTest::newRow("object names are exact") << "\\\\TREE1\\org\\ou1\\SRV1_VOL1"
                                            << "";
    QTest::newRow("leaf of another class") << "\\\\TREE1\\ORG\\OU1\\ADMIN"
                                           << "";
    QTest::newRow("volume") << "\\\\TREE1\\ORG\\OU1\\SRV1_VOL1"
                            << "VOL1:";
    QTest::newRow("volume folder, tree in any case") << "\\\\tree1\\ORG\\OU1\\SRV1_VOL1\\A\\B"
                                                     << "VOL1:A\\B";
    QTest::newRow("server object: volume, directory, path")
        << "\\\\TREE1\\ORG\\OU1\\SRV1\\VOL1\\A\\B"
        << "VOL1:A\\B";
    QTest::newRow("server object: VOL1\\A") << "\\\\TREE1\\ORG\\OU1\\SRV1\\VOL1\\A"
                                            << "VOL1:\\A";
    QTest::newRow("server object: volume alone") << "\\\\TREE1\\ORG\\OU1\\SRV1\\VOL1"
                                                 << "VOL1:\\";
    QTest::newRow("server object alone") << "\\\\TREE1\\ORG\\OU1\\SRV1"
                                         << ":\\";
    QTest::newRow("server object: deeper") << "\\\\TREE1\\ORG\\OU1\\SRV1\\VOL1\\A\\B\\C"
                                           << "VOL1:A\\B\\C";
    QTest::newRow("map alone keeps its backslash") << "\\\\TREE1\\ORG\\OU1\\APPS"
                                                   << "VOL1:APPS\\";
    QTest::newRow("map folder") << "\\\\TREE1\\ORG\\OU1\\APPS\\WORD"
                                << "VOL1:APPS\\WORD";
    QTest::newRow("map path without backslash") << "\\\\TREE1\\ORG\\OU1\\BARE\\X"
                                                << "VOL1:DATA\\X";
    QTest::newRow("map path loses one backslash") << "\\\\TREE1\\ORG\\OU1\\DEEP\\X"
                                                  << "VOL1:\\DATA\\X";
    QTest::newRow("unreadable volume name") << "\\\\TREE1\\ORG\\OU1\\BADVOL\\X"
                                            << ":X";
    QTest::newRow("map without a path") << "\\\\TREE1\\ORG\\OU1\\NOPATH\\X"
                                        << ":\\X";
    QTest::newRow("map on an unreadable volume") << "\\\\TREE1\\ORG\\OU1\\NOVOL\\X"
                                                 << ":DATA\\X";
    QTest::newRow("flags 0x5 go down") << "\\\\TREE1\\ORG\\OU1\\PART\\PV\\X"
                                       << "PVOL:X";
    QTest::newRow("flags 0x3 stop") << "\\\\TREE1\\ORG\\OU1\\V3\\X"
                                    << "AVOL:X";
}

void TestNetworkPath::uncPaths() {
    QFETCH(QString, path);
    QFETCH(QString, form);
    auto client = network(Faults);
    QCOMPARE(ResolveUncPath(*client, path.toStdString()), form.toStdString());
    QCOMPARE(client->openIterations(), std::size_t(0));
}

void TestNetworkPath::treeNames() {
    const std::string full(32, 'T');
    auto client = described("connection TREE1\nconnection MY_TREE\nconnection " + full + "\n");
    QCOMPARE(ConnectedTreeNames(*client), (std::vector<std::string>{"TREE1", "MY_TREE", ""}));
    QVERIFY(IsConnectedTree(*client, "TREE1"));
    QVERIFY(IsConnectedTree(*client, "tree1"));
    QVERIFY(IsConnectedTree(*client, "my_tree"));
    QVERIFY(!IsConnectedTree(*client, "MY"));
    QVERIFY(!IsConnectedTree(*client, "TREE"));
    QVERIFY(!IsConnectedTree(*client, "TREE1_"));
    // A name that fills the buffer has no "_" and compares as empty.
    QVERIFY(!IsConnectedTree(*client, full));
    QVERIFY(IsConnectedTree(*client, ""));

    auto none = described("");
    QVERIFY(!IsConnectedTree(*none, ""));
    QVERIFY(!IsConnectedTree(*none, "TREE1"));
    // With a tree that compares as empty, "\\SRV1" is taken for that tree.
    QCOMPARE(ResolveUncPath(*client, "\\\\SRV1"), std::string());
    QCOMPARE(ResolveUncPath(*none, "\\\\SRV1"), std::string("SRV1:"));

    // A "_" inside the name is the tree's own: the path goes down the tree.
    auto mine = described("connection MY_TREE\ntree MY_TREE\nobject ORG Organization container\n"
                          "object V.ORG Volume leaf\nvalue V.ORG \"Host Resource Name\" VOL9\n");
    QCOMPARE(ResolveUncPath(*mine, "\\\\MY_TREE\\ORG\\V\\A"), std::string("VOL9:A"));
}

void TestNetworkPath::takePathComponent_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("first") << QStringList{"A\\B\\C", "", ""} << QStringList{"B\\C", "A", ""};
    QTest::newRow("second") << QStringList{"B\\C", "A", ""} << QStringList{"C", "B", "A"};
    QTest::newRow("last") << QStringList{"C", "B", "A"} << QStringList{"", "C", "B.A"};
    QTest::newRow("past the end") << QStringList{"", "C", "B.A"} << QStringList{"", "", "C.B.A"};
    QTest::newRow("empty component")
        << QStringList{"\\X", "", "ORG"} << QStringList{"X", "", "ORG"};
}

void TestNetworkPath::takePathComponent() {
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    std::string path = before[0].toStdString(), name = before[1].toStdString(),
                context = before[2].toStdString();
    TakePathComponent(path, name, context);
    QCOMPARE(QStringList({QString::fromStdString(path), QString::fromStdString(name),
                          QString::fromStdString(context)}),
             after);
}

void TestNetworkPath::findChildObject() {
    auto client = network(Faults);
    std::string baseClass = "old";
    QVERIFY(FindChildObject(*client, "TREE1", "OU1", "ORG", baseClass));
    QCOMPARE(baseClass, std::string("Organizational Unit"));
    // Found on a later page: OU1 holds more objects than fit on one.
    QVERIFY(FindChildObject(*client, "TREE1", "PART", "OU1.ORG", baseClass));
    QCOMPARE(baseClass, std::string("Partition"));
    QVERIFY(!FindChildObject(*client, "TREE1", "V3", "OU1.ORG", baseClass));
    QCOMPARE(baseClass, std::string("Volume"));
    QVERIFY(!FindChildObject(*client, "TREE1", "ADMIN", "OU1.ORG", baseClass));
    QCOMPARE(baseClass, std::string("User"));

    baseClass = "old";
    QVERIFY(!FindChildObject(*client, "TREE1", "NOPE", "OU1.ORG", baseClass));
    QVERIFY(!FindChildObject(*client, "TREE1", "ou1", "ORG", baseClass));
    QVERIFY(!FindChildObject(*client, "TREE1", "OU1", "NOWHERE", baseClass));
    QVERIFY(!FindChildObject(*client, "TREE9", "ORG", "", baseClass));
    QCOMPARE(baseClass, std::string("old"));
    QVERIFY(FindChildObject(*client, "tree1", "ORG", "", baseClass));
    QCOMPARE(client->openIterations(), std::size_t(0));
}

void TestNetworkPath::readingAttributes() {
    auto client = network(R"(
tree TREE1
object MANY.OU1.ORG Volume leaf
value MANY.OU1.ORG "Host Resource Name" V1
value MANY.OU1.ORG "Host Resource Name" V2
value MANY.OU1.ORG "Host Resource Name" V3
object HALF.OU1.ORG Volume leaf
value HALF.OU1.ORG "Host Resource Name" V1
value HALF.OU1.ORG "Host Resource Name" V2
unreadable HALF.OU1.ORG "Host Resource Name"
value HALF.OU1.ORG "Host Resource Name" V4
object MAPS.OU1.ORG "Directory Map" leaf
path MAPS.OU1.ORG FIRST.ORG \ONE
path MAPS.OU1.ORG SECOND.ORG \TWO
path MAPS.OU1.ORG THIRD.ORG THREE
)");
    std::string text = "old";
    ReadHostResourceName(*client, "TREE1", "MANY.OU1.ORG", text);
    QCOMPARE(text, std::string("V3"));
    // The page holding the unreadable value fails: the last value read stays.
    ReadHostResourceName(*client, "TREE1", "HALF.OU1.ORG", text);
    QCOMPARE(text, std::string("V2"));
    text = "old";
    ReadHostResourceName(*client, "TREE1", "OU1.ORG", text);
    QCOMPARE(text, std::string("old"));
    ReadHostResourceName(*client, "TREE1", "NOPE.ORG", text);
    QCOMPARE(text, std::string("old"));
    ReadHostResourceName(*client, "TREE9", "MANY.OU1.ORG", text);
    QCOMPARE(text, std::string("old"));

    std::string volumeObject = "old", path = "old";
    ReadDirectoryMapPath(*client, "TREE1", "OU1.ORG", "MAPS", volumeObject, path);
    QCOMPARE(volumeObject, std::string("THIRD.ORG"));
    QCOMPARE(path, std::string("THREE"));
    volumeObject = path = "old";
    ReadDirectoryMapPath(*client, "TREE1", "OU1.ORG", "SRV1", volumeObject, path);
    QCOMPARE(volumeObject + path, std::string("oldold"));
    QCOMPARE(client->openIterations(), std::size_t(0));
}

// A client that counts the iterations it was asked to end, to see that the
// resolution ends each one it leaves half-way, and only those.
void TestNetworkPath::iterationsAreEnded() {
    class Counting : public MemoryDirectoryClient {
    public:
        int ended = 0;
        void endIteration(const std::string& tree, Iteration iteration) override {
            ++ended;
            QVERIFY(iteration != NoIteration);
            MemoryDirectoryClient::endIteration(tree, iteration);
        }
    } client;
    QVERIFY(client
                .load("page-size 1\ntree T\nobject A x leaf\nobject B x leaf\n"
                      "object C x leaf\nvalue C Path-less one\nunreadable C Path-less\n")
                .ok);
    std::string baseClass;
    QVERIFY(!FindChildObject(client, "T", "A", "", baseClass));
    QCOMPARE(client.ended, 1);
    QVERIFY(!FindChildObject(client, "T", "C", "", baseClass));
    QCOMPARE(client.ended, 1);
    QVERIFY(!FindChildObject(client, "T", "Z", "", baseClass));
    QCOMPARE(client.ended, 1);
    std::string text;
    ReadTextAttribute(client, "T", "C", "Path-less", text);
    QCOMPARE(text, std::string("one"));
    QCOMPARE(client.ended, 2);
    QCOMPARE(client.openIterations(), std::size_t(0));
}

void TestNetworkPath::descriptionErrors_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown") << "# fine\n\nmount x"
                             << "line 3: unknown statement mount";
    QTest::newRow("object before tree") << "object ORG O container"
                                        << "line 1: object before any tree";
    QTest::newRow("missing parent") << "tree T\nobject OU1.ORG O container"
                                    << "line 2: no object ORG to hold OU1.ORG";
    QTest::newRow("twice") << "tree T\nobject ORG O container\nobject org O leaf"
                           << "line 3: org is already there";
    QTest::newRow("flags") << "tree T\nobject ORG O 0xZ"
                           << "line 2: flags must be container, leaf or a number";
    QTest::newRow("quote") << "server \"SRV 1"
                           << "line 1: a quote is not closed";
    QTest::newRow("words") << "volume SRV1"
                           << "line 1: volume takes 2 words";
    QTest::newRow("drive words") << "drive /x"
                                 << "line 1: drive takes 3 or 4 words";
    QTest::newRow("page size") << "page-size 0"
                               << "line 1: page-size must be a number from 1 to 4096";
    QTest::newRow("value of nothing") << "tree T\nvalue X A b"
                                      << "line 2: no object X in this tree";
    QTest::newRow("folder on nothing") << "folder S V A"
                                       << "line 1: no volume V on S";
    QTest::newRow("through a file") << "server S\nvolume S V\nfile S V A\nfolder S V A\\B"
                                    << "line 4: A is already there as a file";
    QTest::newRow("relative drive") << "drive net/h S V"
                                    << "line 1: a drive needs an absolute local folder";
}

void TestNetworkPath::descriptionErrors() {
    QFETCH(QString, text);
    QFETCH(QString, error);
    MemoryDirectoryClient client;
    const Status refused = client.load(text.toStdString());
    QVERIFY(!refused.ok);
    QCOMPARE(QString::fromStdString(refused.error), error);

    const Status missing = client.loadFile(testsupport::dataPath("netbrowse/missing.txt"));
    QVERIFY(!missing.ok);
    QVERIFY(missing.error.find("missing.txt") != std::string::npos);
}

// Junk is refused with a line number, and what was read before stays usable.
void TestNetworkPath::junkDescription() {
    auto client = network();
    std::string junk = "server X\n";
    for (unsigned i = 0; i < 5000; ++i)
        junk += static_cast<char>((i * 2654435761u) >> 11);
    const Status junked = client->load(junk);
    QVERIFY(!junked.ok);
    QVERIFY(junked.error.rfind("line ", 0) == 0);
    QCOMPARE(ResolveUncPath(*client, "\\\\TREE1\\ORG\\OU1\\SRV1_VOL1\\A"), std::string("VOL1:A"));
    QVERIFY(!client->load(std::string(100000, '"')).ok);
}

void TestNetworkPath::neighbourhood() {
    auto client = network(R"(
connection tree1
connection TREE1
server SRV2
)");
    const NetworkNeighbourhood places(*client);
    using Kind = NetworkNeighbourhood::Place::Kind;
    auto labels = [](const std::vector<NetworkNeighbourhood::Place>& list) {
        QStringList found;
        for (const auto& place : list)
            found << QString::fromStdString(place.label + "=" + place.path);
        return found;
    };
    const auto top = places.children(NetworkNeighbourhood::root(), false);
    QCOMPARE(labels(top), (QStringList{"TREE1=", "SRV1=", "SRV2="}));
    QCOMPARE(int(top[0].kind), int(Kind::Tree));
    const auto org = places.children(top[0], false);
    const auto ou1 = places.children(places.children(org[0], false)[0], false);
    QCOMPARE(
        labels(ou1),
        (QStringList{"SRV1=\\\\TREE1\\ORG\\OU1\\SRV1", "SRV1_VOL1=\\\\TREE1\\ORG\\OU1\\SRV1_VOL1",
                     "APPS=\\\\TREE1\\ORG\\OU1\\APPS", "ADMIN=\\\\TREE1\\ORG\\OU1\\ADMIN"}));
    QCOMPARE(labels(places.children(ou1[0], false)),
             (QStringList{"VOL1=\\\\TREE1\\ORG\\OU1\\SRV1\\VOL1",
                          "SYS=\\\\TREE1\\ORG\\OU1\\SRV1\\SYS"}));
    QCOMPARE(labels(places.children(ou1[1], false)),
             (QStringList{"A=\\\\TREE1\\ORG\\OU1\\SRV1_VOL1\\A",
                          "APPS=\\\\TREE1\\ORG\\OU1\\SRV1_VOL1\\APPS"}));
    QCOMPARE(labels(places.children(ou1[2], false)),
             (QStringList{"WORD=\\\\TREE1\\ORG\\OU1\\APPS\\WORD"}));
    QVERIFY(places.children(ou1[3], true).empty());
    QVERIFY(!NetworkNeighbourhood::canHoldChildren(ou1[3]));
    QVERIFY(NetworkNeighbourhood::canHoldChildren(ou1[2]));
    QVERIFY(NetworkNeighbourhood::canHoldChildren(org[0]));

    const auto volumeA = places.children(places.children(top[1], false)[0], true)[0];
    QCOMPARE(labels(places.children(volumeA, false)), (QStringList{"B=\\\\SRV1\\VOL1\\A\\B"}));
    const auto withFiles = places.children(volumeA, true);
    QCOMPARE(labels(withFiles),
             (QStringList{"B=\\\\SRV1\\VOL1\\A\\B", "README.TXT=\\\\SRV1\\VOL1\\A\\README.TXT"}));
    QCOMPARE(int(withFiles[1].kind), int(Kind::File));
    QVERIFY(!NetworkNeighbourhood::canHoldChildren(withFiles[1]));
    QVERIFY(places.children(top[2], false).empty());
    QCOMPARE(client->openIterations(), std::size_t(0));
}

// Every folder the browser offers turns into the volume form of that folder,
// whichever way it was reached (one level below a server object the folder
// keeps its backslash).
void TestNetworkPath::neighbourhoodPathsResolve() {
    auto client = network();
    const NetworkNeighbourhood places(*client);
    QStringList forms;
    std::vector<NetworkNeighbourhood::Place> pending{NetworkNeighbourhood::root()};
    while (!pending.empty()) {
        const auto place = pending.back();
        pending.pop_back();
        for (const auto& child : places.children(place, true)) {
            pending.push_back(child);
            if (child.kind == NetworkNeighbourhood::Place::Kind::Folder)
                forms << QString::fromStdString(child.path + " " +
                                                ResolveUncPath(*client, child.path));
        }
    }
    QStringList expected{
        "\\\\SRV1\\VOL1\\A VOL1:A",
        "\\\\SRV1\\VOL1\\A\\B VOL1:A\\B",
        "\\\\SRV1\\VOL1\\APPS VOL1:APPS",
        "\\\\SRV1\\VOL1\\APPS\\WORD VOL1:APPS\\WORD",
        "\\\\TREE1\\ORG\\OU1\\APPS\\WORD VOL1:APPS\\WORD",
        "\\\\TREE1\\ORG\\OU1\\SRV1\\VOL1\\A VOL1:\\A",
        "\\\\TREE1\\ORG\\OU1\\SRV1\\VOL1\\A\\B VOL1:A\\B",
        "\\\\TREE1\\ORG\\OU1\\SRV1\\VOL1\\APPS VOL1:\\APPS",
        "\\\\TREE1\\ORG\\OU1\\SRV1\\VOL1\\APPS\\WORD VOL1:APPS\\WORD",
        "\\\\TREE1\\ORG\\OU1\\SRV1_VOL1\\A VOL1:A",
        "\\\\TREE1\\ORG\\OU1\\SRV1_VOL1\\A\\B VOL1:A\\B",
        "\\\\TREE1\\ORG\\OU1\\SRV1_VOL1\\APPS VOL1:APPS",
        "\\\\TREE1\\ORG\\OU1\\SRV1_VOL1\\APPS\\WORD VOL1:APPS\\WORD",
    };
    forms.sort();
    expected.sort();
    QCOMPARE(forms, expected);
}

QTEST_GUILESS_MAIN(TestNetworkPath)
#include "tst_networkpath.moc"
