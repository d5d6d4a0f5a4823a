// The curve set file. Reals are written as the shortest decimal text that reads back to the same
// extended value, and read through the number text, so a set comes back to the bit.
#include "files/curve_set_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <charconv>
#include <cstdio>

#include "engine/number_text.h"

namespace {

QString RealText(ExtendedReal value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

// Line and column (1-based) of a byte offset.
void Position(const QByteArray& bytes, int offset, int& line, int& column) {
    line = 1;
    column = 1;
    for (int i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else if ((bytes[i] & 0xC0) != 0x80) {
            ++column;  // one per character, not per byte of UTF-8
        }
    }
}

// Reads the keys of one object, noting the first refusal.
class Reader {
  public:
    Reader(const QJsonObject& object, int curve, SetFileRefusal& refusal)
        : object_(object), curve_(curve), refusal_(refusal) {}

    void Real(const char* key, ExtendedReal& value) {
        const QJsonValue found = object_.value(QLatin1String(key));
        if (found.isUndefined()) return;
        ExtendedReal read = 0;
        if (!found.isString() || !NumberSyntax(found.toString().toStdString(), read)) {
            Refuse(key);
            return;
        }
        value = read;
    }
    void Integer(const char* key, int32_t& value) {
        const QJsonValue found = object_.value(QLatin1String(key));
        if (found.isUndefined()) return;
        int32_t read = 0;
        if (!found.isString() || !IntegerText(found.toString().toStdString(), read)) {
            Refuse(key);
            return;
        }
        value = read;
    }
    void Flag(const char* key, bool& value) {
        const QJsonValue found = object_.value(QLatin1String(key));
        if (found.isUndefined()) return;
        if (!found.isBool()) return Refuse(key);
        value = found.toBool();
    }
    void ColourKey(const char* key, Colour& value) {
        const QJsonValue found = object_.value(QLatin1String(key));
        if (found.isUndefined()) return;
        Colour read = 0;
        if (!found.isString() || !ParseColourText(found.toString().toStdString(), read)) {
            return Refuse(key);
        }
        value = read;
    }
    void Refuse(const char* key) {
        if (!refusal_.Ok()) return;
        refusal_.Error = SetFileError::BadValue;
        refusal_.Curve = curve_;
        refusal_.Key = key;
    }

  private:
    const QJsonObject& object_;
    const int curve_;
    SetFileRefusal& refusal_;
};

QJsonObject ViewObject(const PlotDocument& document) {
    const ViewState& view = document.View;
    QJsonObject object;
    object.insert("originX", RealText(view.ViewOriginX));
    object.insert("originY", RealText(view.ViewOriginY));
    object.insert("pixelSizeX", RealText(view.PixelSizeX));
    object.insert("pixelSizeY", RealText(view.PixelSizeY));
    object.insert("samplesPerPixel", QString::number(view.SamplesPerPixel));
    object.insert("background", QString::fromStdString(ColourText(document.Frame.Background)));
    object.insert("grid", document.Frame.Grid);
    object.insert("axes", document.Frame.Axes);
    object.insert("breakPoles", document.Frame.BreakPoles);
    return object;
}

QJsonObject CurveObject(const Curve& curve) {
    QJsonObject object;
    object.insert("expression", QString::fromStdString(curve.Expression));
    object.insert("colour", QString::fromStdString(ColourText(curve.LineColour)));
    object.insert("mode", curve.Lines ? "lines" : "points");
    object.insert("visible", curve.Visible);
    const CurveParameters parameters = ParametersOf(*curve.Built);
    object.insert("n0", QString::number(parameters.IndexFrom));
    object.insert("nk", QString::number(parameters.IndexTo));
    object.insert("a0", RealText(parameters.ValueA));
    object.insert("c", RealText(parameters.ConstantC));
    object.insert("bound", curve.BoundArgument);
    object.insert("xFrom", RealText(curve.ArgumentFrom));
    object.insert("xTo", RealText(curve.ArgumentTo));
    return object;
}

void ReadView(const QJsonObject& object, PlotDocument& document, SetFileRefusal& refusal) {
    Reader read(object, 0, refusal);
    ViewState& view = document.View;
    read.Real("originX", view.ViewOriginX);
    read.Real("originY", view.ViewOriginY);
    read.Real("pixelSizeX", view.PixelSizeX);
    read.Real("pixelSizeY", view.PixelSizeY);
    read.Integer("samplesPerPixel", view.SamplesPerPixel);
    read.ColourKey("background", document.Frame.Background);
    read.Flag("grid", document.Frame.Grid);
    read.Flag("axes", document.Frame.Axes);
    read.Flag("breakPoles", document.Frame.BreakPoles);
    // A view the drawing cannot use is refused here rather than drawn.
    if (!(view.PixelSizeX > 0)) read.Refuse("pixelSizeX");
    if (!(view.PixelSizeY > 0)) read.Refuse("pixelSizeY");
    if (view.SamplesPerPixel < 1) read.Refuse("samplesPerPixel");
}

void ReadCurve(const QJsonObject& object, int number, CurveSet& set, SetFileRefusal& refusal) {
    Reader read(object, number, refusal);
    const QJsonValue expression = object.value("expression");
    if (!expression.isString() || expression.toString().isEmpty()) return read.Refuse("expression");
    Curve curve;
    CurveParameters parameters;
    read.Integer("n0", parameters.IndexFrom);
    read.Integer("nk", parameters.IndexTo);
    read.Real("a0", parameters.ValueA);
    read.Real("c", parameters.ConstantC);
    read.ColourKey("colour", curve.LineColour);
    read.Flag("visible", curve.Visible);
    read.Flag("bound", curve.BoundArgument);
    read.Real("xFrom", curve.ArgumentFrom);
    read.Real("xTo", curve.ArgumentTo);
    const QJsonValue mode = object.value("mode");
    if (!mode.isUndefined()) {
        if (mode == QJsonValue("lines") || mode == QJsonValue("points")) {
            curve.Lines = mode == QJsonValue("lines");
        } else {
            read.Refuse("mode");
        }
    }
    if (!refusal.Ok()) return;
    int32_t code = 0;
    if (!BuildCurve(expression.toString().toStdString(), parameters, curve, code)) {
        refusal.Error = SetFileError::BadExpression;
        refusal.Curve = number;
        refusal.Key = "expression";
        refusal.Code = code;
        return;
    }
    set.Add(std::move(curve));
}

}  // namespace

std::string ColourText(Colour colour) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", unsigned(colour & 0xFFu),
                  unsigned((colour >> 8) & 0xFFu), unsigned((colour >> 16) & 0xFFu));
    return buffer;
}

bool ParseColourText(std::string_view text, Colour& colour) {
    if (text.size() != 7 || text[0] != '#') return false;
    unsigned value = 0;
    const auto result = std::from_chars(text.data() + 1, text.data() + 7, value, 16);
    if (result.ec != std::errc() || result.ptr != text.data() + 7) return false;
    colour = ((value >> 16) & 0xFFu) | (value & 0xFF00u) | ((value & 0xFFu) << 16);
    return true;
}

QByteArray CurveSetFileBytes(const PlotDocument& document) {
    QJsonArray curves;
    for (const Curve& curve : document.Curves.Curves()) {
        if (curve.Built != nullptr) curves.append(CurveObject(curve));
    }
    QJsonObject root;
    root.insert("format", kCurveSetFormat);
    root.insert("version", kCurveSetVersion);
    root.insert("view", ViewObject(document));
    root.insert("curves", curves);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SetFileRefusal ParseCurveSetFile(const QByteArray& bytes, PlotDocument& document) {
    SetFileRefusal refusal;
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        refusal.Error = SetFileError::Syntax;
        Position(bytes, error.offset, refusal.Line, refusal.Column);
        return refusal;
    }
    const QJsonObject root = json.object();
    if (!json.isObject() || !root.value("curves").isArray()) {
        refusal.Error = SetFileError::NotAnObject;
        return refusal;
    }
    if (root.value("format") != QJsonValue(kCurveSetFormat)) {
        refusal.Error = SetFileError::UnknownFormat;
        return refusal;
    }
    if (root.value("version") != QJsonValue(kCurveSetVersion)) {
        refusal.Error = SetFileError::UnknownVersion;
        return refusal;
    }
    PlotDocument read = document;
    read.Curves.Clear();
    const QJsonValue view = root.value("view");
    if (view.isObject()) {
        ReadView(view.toObject(), read, refusal);
    } else if (!view.isUndefined()) {
        Reader(root, 0, refusal).Refuse("view");
    }
    const QJsonArray curves = root.value("curves").toArray();
    for (int i = 0; i < curves.size() && refusal.Ok(); ++i) {
        if (!curves[i].isObject()) {
            Reader(root, i + 1, refusal).Refuse("curves");
            break;
        }
        ReadCurve(curves[i].toObject(), i + 1, read.Curves, refusal);
    }
    if (!refusal.Ok()) return refusal;
    if (!read.Curves.Empty()) read.Curves.Select(0);
    document = std::move(read);
    return refusal;
}

FileResult SaveCurveSetFile(const QString& path, const PlotDocument& document) {
    return WriteWholeFile(path, CurveSetFileBytes(document));
}
