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
    // clang-format off
    const std::pair<int, const char*> rows[] = {
        {11000, "hauptmenue"}, {20000, "spieler_aendern"}, {20100, "spielerkarte"},
        {20200, "spieler_uebernehmen"}, {20300, "neuer_spieler"}, {20400, "gruppenverwaltung"},
        {20500, "spielerboerse"}, {30100, "berechnung"}, {30200, "spielzusammenstellung"},
        {31000, "ergebnis_partien"}, {31100, "ergebnis_platzierungen"},
        {31200, "ergebnis_zusammensetzung"}, {31300, "ergebnis_gruppenergebnisse"},
        {1310, "ergebnis_dienste"}, {31400, "hintergrundmaterial"}, {40000, "glossar"},
        {40100, "hintergrundwissen"}, {40200, "standardexperimente"}, {40300, "friedlich"},
        {50100, "spielerauswahl"}, {50200, "einfuehrung"}};
    // clang-format on
    for (const auto& [context, name] : rows) {
        SCOPED_TRACE(context);
        const QString topic = QStringLiteral("/themen/%1.htm").arg(QLatin1String(name));
        EXPECT_EQ(file->topicForContext(context), topic);
        const auto page = file->read(topic);
        ASSERT_TRUE(page.has_value());
        EXPECT_TRUE(page->contains("<h1>"));
    }
    EXPECT_EQ(file->contextMap().size(), std::size(rows));
    EXPECT_TRUE(file->topicForContext(0).isEmpty());
    EXPECT_TRUE(file->topicForContext(12345).isEmpty());
    // The window's title and the contents page.
    EXPECT_EQ(file->title(), QString::fromUtf8("Hilfe zu Wendrak"));
    EXPECT_EQ(file->defaultTopic(), "/themen/index.htm");
    EXPECT_TRUE(file->topics().contains("/themen/index.htm"));
}

TEST_F(CompiledHelp, EveryLinkBetweenTopicsReachesAStoredFile) {
    const QRegularExpression link(R"((?:href|src)="([^"#:]+)(?:#[^"]*)?")");
    for (const QString& topic : file->topics()) {
        const auto page = file->read(topic);
        ASSERT_TRUE(page.has_value()) << topic.toStdString();
        auto it = link.globalMatch(QString::fromUtf8(*page));
        while (it.hasNext()) {
            const QString target = it.next().captured(1);
            const QString resolved = QUrl("chm:" + topic).resolved(QUrl(target)).path();
            EXPECT_TRUE(file->contains(resolved))
                << topic.toStdString() << " -> " << target.toStdString();
        }
    }
}

TEST_F(CompiledHelp, StoredPathsAreFoundWithoutRegardToCaseOrBuildFolder) {
    EXPECT_TRUE(file->contains("/THEMEN/Index.HTM"));
    EXPECT_TRUE(file->contains("themen/index.htm"));
    EXPECT_TRUE(file->read("/Themen/Glossar.htm").has_value());
    EXPECT_FALSE(file->read("/themen/gibtsnicht.htm").has_value());
    // The compiler keeps the paths of its own build folder in its tables.
    EXPECT_EQ(file->matchStoredPath("/home/bau/help/themen/glossar.htm"), "/themen/glossar.htm");
    EXPECT_EQ(file->matchStoredPath("C:\\Bau\\help\\themen\\glossar.htm"), "/themen/glossar.htm");
    EXPECT_EQ(file->matchStoredPath("/x/hilfe.css"), "/hilfe.css");
    EXPECT_TRUE(file->matchStoredPath("/home/bau/help/themen/fehlt.htm").isEmpty());
}

TEST(ChmFileErrors, MissingDamagedOrTruncatedFilesNeitherCrashNorInventTopics) {
    TempRoot root;
    try {
        ChmFile f(root.root() + "Kemrafeld.chm");
        FAIL() << "a missing file opened";
    } catch (const WendrakError& e) {
        EXPECT_TRUE(e.message().contains("Hilfedatei"));
    }
    EXPECT_THROW(ChmFile f(root.write("junk.chm", QByteArray(5000, 'x'))), WendrakError);
    EXPECT_THROW(ChmFile f(root.write("empty.chm", QByteArray())), WendrakError);

    QFile in(compiledHelpFile());
    if (!in.open(QIODevice::ReadOnly))
        return;
    const QByteArray whole = in.readAll();
    for (const qsizetype size : {qsizetype(100), whole.size() / 3, whole.size() - 200}) {
        SCOPED_TRACE(size);
        try {
            ChmFile f(root.write("cut.chm", whole.left(size)));
            for (const QString& topic : f.topics())
                (void)f.read(topic);
            for (const auto& [context, topic] : f.contextMap())
                EXPECT_TRUE(f.contains(topic)) << context;
        } catch (const WendrakError&) {
            // refusing a damaged file is fine
        }
    }
}
