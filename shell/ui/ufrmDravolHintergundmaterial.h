// The background-material menu of the challenge's result window: one button per text
// page, each shown in the text window with the closing button "Zur&ück". Created for one
// showing and freed afterwards; "&Zurück" closes it with modal result 1.
#pragma once

#include <QDialog>
#include <memory>

class QPushButton;
class TApplicationEnviroment;

namespace Ui {
class TfrmDravolHintergundmaterial;
}

class TfrmDravolHintergundmaterial : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDravolHintergundmaterial(QWidget* parent = nullptr);
    ~TfrmDravolHintergundmaterial() override;

    // Shows FileName (used as it is) in the text window; a missing page is skipped.
    void ShowPage(const QString& FileName);

    // The page a page button stands for: the text folder + "DE_" + its caption without
    // blanks + ".html".
    QString PageOfButton(const QPushButton* button) const;

private:
    void FormCreate();
    void btnDE_ErsteInformationenClick(const QPushButton* sender);
    void btnInhaltsverzeichnis_DravolenzClick();
    void btnBesondereSpielerClick();
    QString textFolder() const;

    Ui::TfrmDravolHintergundmaterial* ui;
    std::unique_ptr<TApplicationEnviroment> m_umgebung;
};
