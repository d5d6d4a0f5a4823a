<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>HelpWindow</name>
    <message>
        <source>Справка — Tarvik</source>
        <translation>Help — Tarvik</translation>
    </message>
    <message>
        <source>Справка в окне программы</source>
        <translation>Help in the program&apos;s window</translation>
    </message>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Предыдущая страница</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Вперёд</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Следующая страница</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Главная страница справки</source>
        <translation>The help&apos;s main page</translation>
    </message>
    <message>
        <source>Найти:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>Найти далее (Enter)</source>
        <translation>Find next (Enter)</translation>
    </message>
    <message>
        <source>Найти ранее (Shift+Enter)</source>
        <translation>Find previous (Shift+Enter)</translation>
    </message>
    <message>
        <source>Закрыть поиск (Esc)</source>
        <translation>Close the search (Esc)</translation>
    </message>
    <message>
        <source>Страница справки не найдена: %1</source>
        <translation>Help page not found: %1</translation>
    </message>
    <message>
        <source>Не найдено</source>
        <translation>Not found</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Язык интерфейса сменится при следующем запуске программы.</source>
        <translation>The interface language changes at the next start of the program.</translation>
    </message>
    <message>
        <source>Язык / Language</source>
        <translation>Язык / Language</translation>
    </message>
</context>
</TS>
