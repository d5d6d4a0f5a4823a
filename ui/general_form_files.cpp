// File commands, help and About: the function file, the picture and scenario exports, the help
// page and the About box. Each flat button does what its menu entry does.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QUrl>

#include "files/exports.h"
#include "files/file_access.h"
#include "files/function_file.h"
#include "files/picture_export.h"
#include "messages/messages.h"
#include "ui/about_box.h"
#include "ui/general_form.h"
#include "ui/help_window.h"
#include "ui/utf8_text.h"

namespace {

const QString kExamplesFolder = QStringLiteral("Examples/");
constexpr int kPreviewSide = 160;
const QString kPictureFilterKey = QStringLiteral("pictureExport/filter");

QSettings PictureSettings() {
    return QSettings(kApplicationTitle, kApplicationTitle);
}

// Shows a file dialog modally; the chosen name, or an empty text when the user cancels. The
// program's dialogs neither add an extension nor ask before a file is replaced.
QString ChosenFile(GeneralForm& form, QFileDialog& dialog) {
    dialog.setDefaultSuffix(QString());
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (form.ExecModal(dialog) != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

// A pane beside the picture dialog's file list that shows the picture file selected in it.
void AttachPicturePreview(QFileDialog& dialog) {
    if (dialog.findChild<QLabel*>(QStringLiteral("PicturePreview"))) return;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("PicturePreview"));
    preview->setFixedSize(kPreviewSide, kPreviewSide);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(
        &dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
            QImageReader reader(path);
            const QImage image = reader.read();
            preview->setPixmap(image.isNull() ? QPixmap()
                                              : QPixmap::fromImage(image.scaled(
                                                    kPreviewSide, kPreviewSide, Qt::KeepAspectRatio,
                                                    Qt::SmoothTransformation)));
        });
}

// The picture dialog opens with the filter chosen last time (kept in the user's settings).
void SelectRememberedPictureFilter(QFileDialog& dialog) {
    const QString filter = PictureSettings().value(kPictureFilterKey).toString();
    if (dialog.nameFilters().contains(filter)) dialog.selectNameFilter(filter);
}

// The format of the filter the user chose, which is remembered for the next time.
PictureFormat RememberPictureFilter(QFileDialog& dialog) {
    const QString filter = dialog.selectedNameFilter();
    for (const PictureFormatInfo& info : PictureFormats()) {
        if (filter == FromUtf8(PictureFilter(info.Format))) {
            PictureSettings().setValue(kPictureFilterKey, filter);
            return info.Format;
        }
    }
    return PictureFormat::Bmp;
}

// Asks the desktop to open an address in the user's browser; false when nothing took it.
bool OpenedInBrowser(GeneralForm& form, const QUrl& address) {
    return form.browserHook ? form.browserHook(address) : QDesktopServices::openUrl(address);
}

// Opens an address in the user's browser; a refusal is reported.
void OpenInBrowser(GeneralForm& form, const QUrl& address) {
    if (!OpenedInBrowser(form, address))
        form.GeneralErrorReport(GeneralForm::tr("Cannot open %1").arg(address.toDisplayString()));
}

}  // namespace

// A checked file replaces the expression and the parameters (the bounds as a pair), then the
// graph is run and centred as after a click of each button.
void GeneralForm::ApplyLoadedFunction(const FunctionFile& file) {
    SetExpressionText(FromUtf8(file.Expression));
    ApplyFunctionFile(file, view_, engine_);
    if (file.Bounded) {
        txtX0->setText(FromUtf8(file.LowerBoundText));
        txtXk->setText(FromUtf8(file.UpperBoundText));
    }
    SetBorderX(file.Bounded);
    ShowParameters();
    const WorkBatch batch(*this);
    RunExpressionCommand();
    CentrePicture();
}

void GeneralForm::CreateAboutBox() {
    auto* box = new AboutBox(this);
    connect(box, &AboutBox::linkClicked, this,
            [this](const QString& address) { OpenInBrowser(*this, QUrl(address)); });
    AboutBoxForm = box;
    AboutBoxForm->hide();
}

void GeneralForm::mnuFunctionSaveClick() {
    SaveFunctionCommand();
}

void GeneralForm::SaveFunctionCommand() {
    SaveDialog->setDirectory(ProgramFolder + kExamplesFolder);
    const QString chosen = ChosenFile(*this, *SaveDialog);
    if (chosen.isEmpty()) return;
    const FunctionFile file = FunctionFileFromState(
        view_, engine_, Entered(txtFunctionText->currentText()), cbxBorderX->isChecked(),
        Entered(txtX0->text()), Entered(txtXk->text()));
    const QString name = WithExtension(chosen, QString::fromLatin1(kFunctionFileExtension));
    const std::string error = FileFailureText(SaveFunctionFile(name, file));
    if (!error.empty()) {
        GeneralErrorReport(FromUtf8(error));
        return;
    }
    RememberFile(name);
}

void GeneralForm::mnuFunctionOpenClick() {
    LoadFunctionCommand();
}

void GeneralForm::LoadFunctionCommand() {
    OpenDialog->setDirectory(ProgramFolder + kExamplesFolder);
    // The chosen file need not exist: a missing one is reported by the load.
    OpenDialog->setFileMode(QFileDialog::AnyFile);
    const QString chosen = ChosenFile(*this, *OpenDialog);
    if (chosen.isEmpty()) return;
    OpenFunctionFile(chosen);
}

void GeneralForm::mnuFunctionSaveGrClick() {
    SavePictureCommand();
}

void GeneralForm::SavePictureCommand() {
    AttachPicturePreview(*SavePictureDialog);
    SelectRememberedPictureFilter(*SavePictureDialog);
    const QString chosen = ChosenFile(*this, *SavePictureDialog);
    if (chosen.isEmpty()) return;
    // The extension rule applies to the extension of the chosen filter.
    const PictureFormat format = RememberPictureFilter(*SavePictureDialog);
    const QString name = WithExtension(chosen, QString::fromLatin1(InfoOf(format).Extension));
    const std::string error =
        ExportFailureText(name, SavePictureAs(name, format, ShownPicture(), VectorPicture()));
    if (!error.empty()) GeneralErrorReport(FromUtf8(error));
}

void GeneralForm::mnuFunctionSaveLogClick() {
    SaveScenarioCommand();
}

void GeneralForm::SaveScenarioCommand() {
    const QString chosen = ChosenFile(*this, *SaveDialog1);
    if (chosen.isEmpty()) return;
    const QString name = WithExtension(chosen, kScenarioExtension);
    const std::string error =
        ExportFailureText(name, SaveScenario(name, ScenarioLines().join(QLatin1Char('\n'))));
    if (!error.empty()) GeneralErrorReport(FromUtf8(error));
}

void GeneralForm::btnLoadFunctionClick() {
    LoadFunctionCommand();
}
void GeneralForm::btnSaveFunctionClick() {
    SaveFunctionCommand();
}
void GeneralForm::btnSaveGraphicClick() {
    SavePictureCommand();
}
void GeneralForm::mnuSaveScClick() {
    SaveScenarioCommand();
}

void GeneralForm::mnuHelpHelpClick() {
    // Without a browser for the page, the program's own help window shows it.
    const QUrl index = HelpIndexUrl(ProgramFolder);
    if (!OpenedInBrowser(*this, index)) ShowProgramHelp(*this, index);
}

void GeneralForm::mnuHelpAboutClick() {
    ExecModal(*AboutBoxForm);
}
