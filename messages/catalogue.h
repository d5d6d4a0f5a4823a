// The lookup of every program text: the messages' own catalogue when one is loaded (tarvik-cli),
// else the translators installed in the application (the window), else the Russian source.
#pragma once

#include <QString>
#include <string>

// The text `source` of `context` in the language in use. The window installs its translators in
// the application; tarvik-cli, which mostly runs without an application object, loads its
// catalogue through UseCatalogue.
QString Translated(const char* context, const char* source);
// The same as UTF-8.
std::string TranslatedUtf8(const char* context, const char* source);

// Loads `name` from `folder` as the own catalogue; false (and none kept) when it cannot.
bool LoadOwnCatalogue(const QString& name, const QString& folder);
// Back to the application's translators and the Russian sources.
void DropOwnCatalogue();
