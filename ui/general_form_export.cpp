// The picture outside the window: drawn again through the vector surface for the SVG and PDF
// files and the printer, and copied to the clipboard as shown, with the result field's text.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QVBoxLayout>

#include "document/printed_page.h"
#include "ui/general_form.h"
#include "ui/table_window.h"
#include "ui/utf8_text.h"
#include "view/axis_label_painter.h"
#include "view/sequence_pictures.h"
#include "view/vector_surface.h"

namespace {

const QString kPrintOnWhiteKey = QStringLiteral("print/onWhite");
// The smallest printed label: 9 points.
constexpr qreal kReadableLabelPoints = 9;

QSettings PrintSettings() {
    return QSettings(kApplicationTitle, kApplicationTitle);
}

// The document drawn, then its labels (the window paints them over the picture) as text.
std::function<void(DrawSurface&)> DocumentPicture(PlotDocument document, bool labels,
                                                  qreal labelScale) {
    return [document = std::move(document), labels, labelScale](DrawSurface& surface) {
        try {
            DrawDocument(surface, document);
        } catch (const DrawingOverflow&) {
            // The picture shows what was drawn before the drawing gave up, as the window does.
        }
        if (labels) DrawAxisLabels(surface, document.View, document.Frame.Background, labelScale);
    };
}

// The printed page: the expression as a one-line title over the picture, which is scaled to
// the rest of the page with its proportions kept (LayOutPrintedPage).
void PrintPicture(QPrinter& printer, const QString& title, QSize picture,
                  const PlotDocument& document, bool labels) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QSizeF printable = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    QFont font = painter.font();
    font.setPointSizeF(12);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const PrintedPage page =
        LayOutPrintedPage(printable, picture, metrics.height() * 1.5, AxisLabelFont().pixelSize(),
                          printer.resolution() * kReadableLabelPoints / 72);
    painter.setPen(Qt::black);
    painter.drawText(page.Title, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     metrics.elidedText(title, Qt::ElideRight, page.Title.width()));
    if (page.Picture.isEmpty()) return;
    painter.translate(page.Picture.topLeft());
    painter.scale(page.Scale, page.Scale);
    VectorSurface surface(painter, picture.width(), picture.height());
    DocumentPicture(document, labels, page.LabelScale)(surface);
}

// The print dialog's own page: the choice of white paper, as the menu entry holds it.
QCheckBox* AddPrintChoices(QPrintDialog& dialog, bool onWhite) {
    auto* page = new QWidget(&dialog);
    page->setObjectName(QStringLiteral("PrintChoices"));
    page->setWindowTitle(GeneralForm::tr("Рисунок"));
    auto* box = new QCheckBox(GeneralForm::tr("Печатать на белом фоне"), page);
    box->setObjectName(QStringLiteral("cbxPrintOnWhite"));
    box->setToolTip(GeneralForm::tr(
        "Белый фон, чёрные оси и светло-серая сетка; слишком светлые кривые затемняются"));
    box->setChecked(onWhite);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch();
    dialog.setOptionTabs({page});
    return box;
}

}  // namespace

void GeneralForm::createPrintChoice() {
    // Beside "Печать…" in the menu and on the print dialog's "Рисунок" page: one choice.
    mnuFunctionPrintOnWhite = new QAction(tr("Печатать на белом фоне"), this);
    mnuFunctionPrintOnWhite->setObjectName(QStringLiteral("mnuFunctionPrintOnWhite"));
    mnuFunctionPrintOnWhite->setCheckable(true);
    mnuFunctionPrintOnWhite->setChecked(PrintSettings().value(kPrintOnWhiteKey, true).toBool());
    connect(mnuFunctionPrintOnWhite, &QAction::toggled, this,
            [](bool on) { PrintSettings().setValue(kPrintOnWhiteKey, on); });
}

std::function<void(DrawSurface&)> GeneralForm::VectorPicture() const {
    return DocumentPicture(document_, mnuViewLabels->isChecked(), 1);
}

QString GeneralForm::PictureExpression() const {
    const std::string title = DocumentTitle(document_);
    return title.empty() ? txtFunctionText->currentText() : FromUtf8(title);
}

void GeneralForm::mnuFunctionPrintClick() {
    const QImage& shown = canvas().Image();
    QPrinter printer(QPrinter::HighResolution);
    // The page turns with the picture; the dialog may still turn it back.
    printer.setPageOrientation(PrintsLandscape(shown.size()) ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    const QCheckBox* onWhite = AddPrintChoices(dialog, mnuFunctionPrintOnWhite->isChecked());
    if (ExecModal(dialog) != QDialog::Accepted) return;
    mnuFunctionPrintOnWhite->setChecked(onWhite->isChecked());
    if (shown.isNull()) return;
    const PlotDocument document = onWhite->isChecked() ? OnWhitePaper(document_) : document_;
    PrintPicture(printer, PictureExpression(), shown.deviceIndependentSize().toSize(), document,
                 mnuViewLabels->isChecked());
}

void GeneralForm::mnuEditCopyPictureClick() {
    // The clipboard takes the picture at its logical size.
    const QImage shown = RasterPicture(1);
    if (shown.isNull()) return;
    QGuiApplication::clipboard()->setImage(shown);
}

void GeneralForm::mnuEditCopyResultClick() {
    QGuiApplication::clipboard()->setText(txtResult->text());
}
