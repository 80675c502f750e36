// The help window and the F1 key (see HelpViewer.h).
#include "shell/ui/HelpViewer.h"

#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"
#include "platform/ui/ErrorReport.h"
#include "shell/ChmFile.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString kScheme = QStringLiteral("chm");

QString g_helpFile;
std::shared_ptr<ChmFile> g_chm; // the help file, opened at the first request
QPointer<HelpViewer> g_viewer;

// Pages of the help file are shown through the "chm" scheme, so relative links, pictures
// and style sheets resolve inside the help file.
class ChmBrowser : public QTextBrowser {
public:
    ChmBrowser(std::shared_ptr<ChmFile> file, QWidget* parent)
        : QTextBrowser(parent), m_file(std::move(file)) {
        setOpenLinks(false);
        connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
            if (url.scheme() == kScheme)
                setSource(url);
            else
                QDesktopServices::openUrl(url);
        });
    }

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() != kScheme)
            return QTextBrowser::loadResource(type, name);
        const auto data = m_file->read(name.path());
        if (!data)
            return {};
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource) {
            const QString utf8 = QString::fromUtf8(*data);
            return utf8.contains(QChar::ReplacementCharacter) ? platform::fromAnsi(*data) : utf8;
        }
        return *data;
    }

private:
    std::shared_ptr<ChmFile> m_file;
};

QUrl topicUrl(const QString& topic) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(topic.startsWith(QLatin1Char('/')) ? topic : QLatin1Char('/') + topic);
    return url;
}

// The opened help file, or nullptr when there is none; a damaged file is reported once
// per request.
std::shared_ptr<ChmFile> openHelpFile() {
    if (g_helpFile.isEmpty() || !platform::fileExists(g_helpFile))
        return nullptr;
    if (g_chm && g_chm->path() == platform::resolvePath(g_helpFile))
        return g_chm;
    try {
        g_chm = std::make_shared<ChmFile>(g_helpFile);
    } catch (const WendrakError& e) {
        g_chm.reset();
        platform::showError(QApplication::activeWindow(), e.message());
    }
    return g_chm;
}

// The window the help belongs to: the active one unless that is the help itself.
QWidget* helpOwner() {
    QWidget* active = QApplication::activeModalWidget();
    if (active == nullptr)
        active = QApplication::activeWindow();
    if (active != nullptr && qobject_cast<HelpViewer*>(active) != nullptr)
        return active->parentWidget();
    return active;
}

bool openViewerAt(const std::shared_ptr<ChmFile>& file, const QString& topic) {
    if (topic.isEmpty() || !file->contains(topic))
        return false;
    QWidget* owner = helpOwner();
    // A help window belongs to the window it was asked from, so a modal dialog does not
    // block it; asked from another window, it starts anew there.
    if (g_viewer && (g_viewer->parentWidget() != owner || !g_viewer->isVisible())) {
        delete g_viewer.data();
        g_viewer.clear();
    }
    if (!g_viewer) {
        g_viewer = new HelpViewer(file, owner);
        g_viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    g_viewer->showTopic(topic);
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
    return true;
}

// The help context of the focused control or, failing that, of its window.
int currentHelpContext() {
    QWidget* w = QApplication::focusWidget();
    if (w == nullptr)
        w = helpOwner();
    for (; w != nullptr; w = w->parentWidget()) {
        if (qobject_cast<HelpViewer*>(w) != nullptr)
            return 0;
        const int context = w->property("helpContext").toInt();
        if (context != 0)
            return context;
        if (w->isWindow())
            break;
    }
    return 0;
}

class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
                const int context = currentHelpContext();
                if (context != 0)
                    showHelpContext(context);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void setHelpFile(const QString& path) {
    g_helpFile = path;
    g_chm.reset();
}

QString helpFile() {
    return g_helpFile;
}

void installHelpHandler() {
    static QPointer<HelpKeyFilter> filter;
    if (filter || qApp == nullptr)
        return;
    filter = new HelpKeyFilter(qApp);
    qApp->installEventFilter(filter);
}

bool showHelpContext(int context) {
    auto file = openHelpFile();
    return file && openViewerAt(file, file->topicForContext(context));
}

bool showHelpContents() {
    auto file = openHelpFile();
    return file && openViewerAt(file, file->defaultTopic());
}

HelpViewer* currentHelpViewer() {
    return g_viewer.data();
}

HelpViewer::HelpViewer(std::shared_ptr<ChmFile> file, QWidget* parent)
    : QDialog(parent), m_file(std::move(file)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowFlags(Qt::Window);
    setWindowTitle(m_file->title().isEmpty() ? QStringLiteral("Wendrak-Hilfe") : m_file->title());
    setProperty("helpContext", 0);

    m_browser = new ChmBrowser(m_file, this);
    m_browser->setObjectName(QStringLiteral("brwHelp"));
    auto* btnBack = new QPushButton(QStringLiteral("&Zurück"), this);
    btnBack->setObjectName(QStringLiteral("btnHelpBack"));
    auto* btnForward = new QPushButton(QStringLiteral("&Vorwärts"), this);
    btnForward->setObjectName(QStringLiteral("btnHelpForward"));
    auto* btnContents = new QPushButton(QStringLiteral("&Inhalt"), this);
    btnContents->setObjectName(QStringLiteral("btnHelpContents"));
    auto* btnClose = new QPushButton(QStringLiteral("&Schließen"), this);
    btnClose->setObjectName(QStringLiteral("btnHelpClose"));
    btnBack->setEnabled(false);
    btnForward->setEnabled(false);
    btnContents->setEnabled(!m_file->defaultTopic().isEmpty());
    for (QPushButton* b : {btnBack, btnForward, btnContents, btnClose})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnBack);
    buttons->addWidget(btnForward);
    buttons->addWidget(btnContents);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    connect(btnBack, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(btnForward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);
    connect(btnContents, &QPushButton::clicked, this,
            [this] { showTopic(m_file->defaultTopic()); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);

    const QScreen* screen = QApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(qMin(820, area.width() - 40), qMin(620, area.height() - 40));
    move(area.center() - rect().center());
}

HelpViewer::~HelpViewer() = default;

bool HelpViewer::showTopic(const QString& topic) {
    if (topic.isEmpty() || !m_file->contains(topic))
        return false;
    m_browser->setSource(topicUrl(topic));
    return true;
}

QString HelpViewer::currentTopic() const {
    const QUrl source = m_browser->source();
    return source.isEmpty() ? QString() : source.path();
}
