// File commands, help and About: the function file, the picture and scenario exports, the help
// page and the About box. Each flat button does what its menu entry does.
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <optional>

#include "files/exports.h"
#include "files/file_access.h"
#include "files/function_file.h"
#include "files/picture_export.h"
#include "messages/messages.h"
#include "ui/about_box.h"
#include "ui/general_form.h"
#include "ui/help_window.h"
#include "ui/utf8_text.h"
#include "view/canvas.h"

namespace {

const QString kExamplesFolder = QStringLiteral("Examples/");
constexpr int kPreviewSide = 160;
const QString kPictureFilterKey = QStringLiteral("pictureExport/filter");
const QString kPictureScaleKey = QStringLiteral("pictureExport/scale");
const QString kPictureScaleName = QStringLiteral("PictureScale");
const QString kLastFolderKey = QStringLiteral("dialogs/lastFolder");

QSettings PictureSettings() {
    return QSettings(kApplicationTitle, kApplicationTitle);
}

// Shows a file dialog modally; the chosen name, or an empty text when the user cancels. The
// program's dialogs neither add an extension nor ask before a file is replaced.
QString ChosenFile(GeneralForm& form, QFileDialog& dialog) {
    dialog.setDefaultSuffix(QString());
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const int result = form.ExecModal(dialog);
    // The name field's completion list is a window of its own and would outlive the dialog.
    for (const QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (edit->completer() && edit->completer()->popup()) edit->completer()->popup()->hide();
    }
    if (result != QDialog::Accepted) return {};
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

// A choice below the picture dialog's file type: the device pixels to a logical pixel of a BMP
// or PNG file, 1 to 4, as chosen last time.
QComboBox* AttachScaleChoice(QFileDialog& dialog) {
    if (auto* found = dialog.findChild<QComboBox*>(kPictureScaleName)) return found;
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return nullptr;
    auto* label =
        new QLabel(QCoreApplication::translate("GeneralForm", "&Масштаб (BMP, PNG):"), &dialog);
    auto* choice = new QComboBox(&dialog);
    choice->setObjectName(kPictureScaleName);
    for (int scale = 1; scale <= Canvas::kMaxScale; ++scale) {
        choice->addItem(QCoreApplication::translate("GeneralForm", "%1×").arg(scale), scale);
    }
    label->setBuddy(choice);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(choice, row, 1);
    const int remembered = PictureSettings().value(kPictureScaleKey, 1).toInt();
    choice->setCurrentIndex(std::clamp(remembered, 1, Canvas::kMaxScale) - 1);
    return choice;
}

// The scale chosen, which is remembered for the next time.
int RememberScaleChoice(const QComboBox* choice) {
    const int scale = choice ? choice->currentData().toInt() : 1;
    PictureSettings().setValue(kPictureScaleKey, scale);
    return std::clamp(scale, 1, Canvas::kMaxScale);
}

// The picture dialog opens with the filter of the format chosen last time (kept in the user's
// settings by its name, whatever the language of the filters).
void SelectRememberedPictureFilter(QFileDialog& dialog) {
    const QString remembered = PictureSettings().value(kPictureFilterKey).toString();
    for (const PictureFormatInfo& info : PictureFormats()) {
        const QString filter = FromUtf8(PictureFilter(info.Format));
        if (remembered == QLatin1String(info.Name) && dialog.nameFilters().contains(filter)) {
            dialog.selectNameFilter(filter);
        }
    }
}

// The format of the filter the user chose, which is remembered for the next time.
PictureFormat RememberPictureFilter(QFileDialog& dialog) {
    const QString filter = dialog.selectedNameFilter();
    for (const PictureFormatInfo& info : PictureFormats()) {
        if (filter == FromUtf8(PictureFilter(info.Format))) {
            PictureSettings().setValue(kPictureFilterKey, QLatin1String(info.Name));
            return info.Format;
        }
    }
    return PictureFormat::Bmp;
}

// The format whose extension the typed name ends with, exactly as the extension rule compares.
std::optional<PictureFormat> TypedPictureFormat(const QString& name) {
    for (const PictureFormatInfo& info : PictureFormats()) {
        const QLatin1String extension(info.Extension);
        if (name.size() > extension.size() && name.endsWith(extension, Qt::CaseSensitive)) {
            return info.Format;
        }
    }
    return std::nullopt;
}

// Where a file dialog starts: the folder used last, if it is still there; on first use the
// examples for the function files, or the user's documents when the program's folder cannot be
// written (an installed program); otherwise the dialog's own default.
void StartInFolder(QFileDialog& dialog, const QString& programFolder, bool functionFile,
                   bool opening) {
    const QString last = PictureSettings().value(kLastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) {
        dialog.setDirectory(last);
        return;
    }
    const bool writable = QFileInfo(programFolder).isWritable();
    if (functionFile && (opening || writable)) {
        dialog.setDirectory(programFolder + kExamplesFolder);
    } else if (!writable) {
        dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    }
}

void RememberFolder(const QString& chosen) {
    PictureSettings().setValue(kLastFolderKey, QFileInfo(chosen).absolutePath());
}

// Asks the desktop to open an address in the user's browser; false when nothing took it.
bool OpenedInBrowser(GeneralForm& form, const QUrl& address) {
    return form.browserHook ? form.browserHook(address) : QDesktopServices::openUrl(address);
}

}  // namespace

// A checked file replaces the expression and the parameters (the bounds as a pair), then the
// graph is run and centred as after a click of each button.
void GeneralForm::ApplyLoadedFunction(const FunctionFile& file) {
    SetExpressionText(FromUtf8(file.Expression));
    ApplyFunctionFile(file, document_.View, document_.RunEngine);
    RunParametersChanged();
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
    connect(box, &AboutBox::helpRequested, this, &GeneralForm::mnuHelpHelpClick);
    AboutBoxForm = box;
    AboutBoxForm->hide();
}

void GeneralForm::mnuFunctionSaveClick() {
    SaveFunctionCommand();
}

void GeneralForm::SaveFunctionCommand() {
    StartInFolder(*SaveDialog, ProgramFolder, true, false);
    const QString chosen = ChosenFile(*this, *SaveDialog);
    if (chosen.isEmpty()) return;
    RememberFolder(chosen);
    const FunctionFile file = FunctionFileFromState(
        document_.View, document_.RunEngine, Entered(txtFunctionText->currentText()),
        cbxBorderX->isChecked(), Entered(txtX0->text()), Entered(txtXk->text()));
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
    StartInFolder(*OpenDialog, ProgramFolder, true, true);
    // The chosen file need not exist: a missing one is reported by the load.
    OpenDialog->setFileMode(QFileDialog::AnyFile);
    const QString chosen = ChosenFile(*this, *OpenDialog);
    if (chosen.isEmpty()) return;
    RememberFolder(chosen);
    OpenFunctionFile(chosen);
}

void GeneralForm::mnuFunctionSaveGrClick() {
    SavePictureCommand();
}

void GeneralForm::SavePictureCommand() {
    AttachPicturePreview(*SavePictureDialog);
    const QComboBox* scaleChoice = AttachScaleChoice(*SavePictureDialog);
    SelectRememberedPictureFilter(*SavePictureDialog);
    StartInFolder(*SavePictureDialog, ProgramFolder, false, false);
    const QString chosen = ChosenFile(*this, *SavePictureDialog);
    if (chosen.isEmpty()) return;
    RememberFolder(chosen);
    // A typed extension of a known format picks that format; otherwise the chosen filter's
    // format is taken and its extension added.
    const PictureFormat filtered = RememberPictureFilter(*SavePictureDialog);
    const std::optional<PictureFormat> typed = TypedPictureFormat(chosen);
    const PictureFormat format = typed.value_or(filtered);
    const QString name =
        typed ? chosen : WithExtension(chosen, QString::fromLatin1(InfoOf(format).Extension));
    const int scale = RememberScaleChoice(scaleChoice);
    const bool raster = format == PictureFormat::Bmp || format == PictureFormat::Png;
    const QImage picture = raster ? RasterPicture(scale) : ShownPicture();
    const std::string error =
        ExportFailureText(name, SavePictureAs(name, format, picture, VectorPicture()));
    if (!error.empty()) GeneralErrorReport(FromUtf8(error));
}

void GeneralForm::mnuFunctionSaveLogClick() {
    SaveScenarioCommand();
}

void GeneralForm::SaveScenarioCommand() {
    StartInFolder(*SaveDialog1, ProgramFolder, false, false);
    const QString chosen = ChosenFile(*this, *SaveDialog1);
    if (chosen.isEmpty()) return;
    RememberFolder(chosen);
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
