// Reading the compiled help file: the context map the windows rely on for F1, the
// contents page, links between topics, and damaged or missing files.
#include "platform/WendrakError.h"
#include "shell/ChmFile.h"

#include "TempRoot.h"

#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

QString compiledHelpFile() {
    const char* dir = std::getenv("WENDRAK_BINARY_DIR");
    return QString::fromLocal8Bit(dir ? dir : ".") + "/help/Kemrafeld.chm";
}

class CompiledHelp : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(compiledHelpFile()))
            GTEST_SKIP() << "no compiled help file at " << compiledHelpFile().toStdString();
        file = std::make_unique<ChmFile>(compiledHelpFile());
    }
    std::unique_ptr<ChmFile> file;
};

} // namespace

TEST_F(CompiledHelp, EveryHelpContextOfTheWindowsOpensItsTopic) {
    const struct {
        int context;
        const char* topic;
    } rows[] = {
        {11000, "/themen/hauptmenue.htm"},
        {20000, "/themen/spieler_aendern.htm"},
        {20100, "/themen/spielerkarte.htm"},
        {20200, "/themen/spieler_uebernehmen.htm"},
        {20300, "/themen/neuer_spieler.htm"},
        {20400, "/themen/gruppenverwaltung.htm"},
        {20500, "/themen/spielerboerse.htm"},
        {30100, "/themen/berechnung.htm"},
        {30200, "/themen/spielzusammenstellung.htm"},
        {31000, "/themen/ergebnis_partien.htm"},
        {31100, "/themen/ergebnis_platzierungen.htm"},
        {31200, "/themen/ergebnis_zusammensetzung.htm"},
        {31300, "/themen/ergebnis_gruppenergebnisse.htm"},
        {1310, "/themen/ergebnis_dienste.htm"},
        {31400, "/themen/hintergrundmaterial.htm"},
        {40000, "/themen/glossar.htm"},
        {40100, "/themen/hintergrundwissen.htm"},
        {40200, "/themen/standardexperimente.htm"},
        {40300, "/themen/friedlich.htm"},
        {50100, "/themen/spielerauswahl.htm"},
        {50200, "/themen/einfuehrung.htm"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.context);
        EXPECT_EQ(file->topicForContext(row.context), QString(row.topic));
        const auto page = file->read(row.topic);
        ASSERT_TRUE(page.has_value());
        EXPECT_TRUE(page->contains("<h1>"));
    }
    EXPECT_EQ(file->contextMap().size(), std::size(rows));
    EXPECT_TRUE(file->topicForContext(0).isEmpty());
    EXPECT_TRUE(file->topicForContext(12345).isEmpty());
}

TEST_F(CompiledHelp, OpensWithItsTitleAndContentsPage) {
    EXPECT_EQ(file->title(), QString::fromUtf8("Hilfe zu Wendrak"));
    EXPECT_EQ(file->defaultTopic(), "/themen/index.htm");
    EXPECT_TRUE(file->topics().contains("/themen/index.htm"));
}

TEST_F(CompiledHelp, EveryLinkBetweenTopicsReachesAStoredFile) {
    const QRegularExpression link(R"((?:href|src)="([^"#:]+)(?:#[^"]*)?")");
    for (const QString& topic : file->topics()) {
        const auto page = file->read(topic);
        ASSERT_TRUE(page.has_value()) << topic.toStdString();
        const QString text = QString::fromUtf8(*page);
        auto it = link.globalMatch(text);
        while (it.hasNext()) {
            const QString target = it.next().captured(1);
            const QString resolved = QUrl("chm:" + topic).resolved(QUrl(target)).path();
            EXPECT_TRUE(file->contains(resolved))
                << topic.toStdString() << " -> " << target.toStdString();
        }
    }
}

TEST_F(CompiledHelp, StoredFilesAreFoundWithoutRegardToCase) {
    EXPECT_TRUE(file->contains("/THEMEN/Index.HTM"));
    EXPECT_TRUE(file->contains("themen/index.htm"));
    EXPECT_TRUE(file->read("/Themen/Glossar.htm").has_value());
    EXPECT_FALSE(file->read("/themen/gibtsnicht.htm").has_value());
}

TEST_F(CompiledHelp, CompiledPathsMatchTheLongestStoredSuffix) {
    // The compiler keeps the paths of its own build folder in its tables.
    EXPECT_EQ(file->matchStoredPath("/home/bau/help/themen/glossar.htm"), "/themen/glossar.htm");
    EXPECT_EQ(file->matchStoredPath("C:\\Bau\\help\\themen\\glossar.htm"), "/themen/glossar.htm");
    EXPECT_EQ(file->matchStoredPath("themen/glossar.htm"), "/themen/glossar.htm");
    EXPECT_EQ(file->matchStoredPath("/x/hilfe.css"), "/hilfe.css");
    EXPECT_TRUE(file->matchStoredPath("/home/bau/help/themen/fehlt.htm").isEmpty());
}

TEST(ChmFileErrors, MissingOrDamagedHelpFileGivesAGermanMessage) {
    TempRoot root;
    const QString missing = root.root() + "Kemrafeld.chm";
    try {
        ChmFile f(missing);
        FAIL() << "a missing file opened";
    } catch (const WendrakError& e) {
        EXPECT_TRUE(e.message().contains("Hilfedatei"));
    }
    const QString junk = root.write("junk.chm", QByteArray(5000, 'x'));
    EXPECT_THROW(ChmFile f(junk), WendrakError);
    const QString empty = root.write("empty.chm", QByteArray());
    EXPECT_THROW(ChmFile f(empty), WendrakError);
}

TEST(ChmFileErrors, TruncatedHelpFileNeitherCrashesNorInventsTopics) {
    if (!QFile::exists(compiledHelpFile()))
        GTEST_SKIP();
    QFile in(compiledHelpFile());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray whole = in.readAll();
    TempRoot root;
    for (const qsizetype size : {qsizetype(100), whole.size() / 3, whole.size() - 200}) {
        SCOPED_TRACE(size);
        const QString cut = root.write("cut.chm", whole.left(size));
        try {
            ChmFile f(cut);
            for (const QString& topic : f.topics())
                (void)f.read(topic);
            for (const auto& [context, topic] : f.contextMap())
                EXPECT_TRUE(f.contains(topic)) << context;
        } catch (const WendrakError&) {
            // refusing a damaged file is fine
        }
    }
}
