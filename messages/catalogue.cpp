// The own catalogue and the lookup that prefers it.
#include "messages/catalogue.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

namespace {

// Set once at start-up, before any other thread runs, and only read afterwards.
std::unique_ptr<QTranslator>& OwnCatalogue() {
    static std::unique_ptr<QTranslator> catalogue;
    return catalogue;
}

}  // namespace

QString Translated(const char* context, const char* source) {
    if (const auto& own = OwnCatalogue()) {
        const QString text = own->translate(context, source);
        if (!text.isEmpty()) return text;
    }
    return QCoreApplication::translate(context, source);
}

std::string TranslatedUtf8(const char* context, const char* source) {
    return Translated(context, source).toStdString();
}

bool LoadOwnCatalogue(const QString& name, const QString& folder) {
    auto catalogue = std::make_unique<QTranslator>();
    if (!catalogue->load(name, folder)) {
        DropOwnCatalogue();
        return false;
    }
    OwnCatalogue() = std::move(catalogue);
    return true;
}

void DropOwnCatalogue() {
    OwnCatalogue().reset();
}
