<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>AboutBox</name>
    <message>
        <source>Разработчики проекта Tarvik</source>
        <translation>The developers of the Tarvik project</translation>
    </message>
    <message>
        <source>Версия %1 — декабрь 2026 г.</source>
        <translation>Version %1, December 2026</translation>
    </message>
    <message>
        <source>Лицензия: все права защищены</source>
        <translation>Licence: all rights reserved</translation>
    </message>
    <message>
        <source>Справка на этом компьютере</source>
        <translation>Help on this computer</translation>
    </message>
    <message>
        <source>Открыть справку (F1)</source>
        <translation>Open the help (F1)</translation>
    </message>
</context>
<context>
    <name>GeneralForm</name>
    <message>
        <source>Введите выражение или функцию</source>
        <translation>Enter an expression or a function</translation>
    </message>
    <message>
        <source>Обработать выражение</source>
        <translation>Process the expression</translation>
    </message>
    <message>
        <source>Выполнить</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Результат обработки выражения </source>
        <translation>Result of processing the expression </translation>
    </message>
    <message>
        <source>Отобразить по центру</source>
        <translation>Centre the view</translation>
    </message>
    <message>
        <source>Увеличить график</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Уменьшить график</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Сравнять масштабы по X и Y</source>
        <translation>Make the X and Y scales equal</translation>
    </message>
    <message>
        <source>Масштаб по умолчанию</source>
        <translation>Default scale</translation>
    </message>
    <message>
        <source>Переместить относительно точки</source>
        <translation>Move about a point</translation>
    </message>
    <message>
        <source>Увеличить заданный прямоугольник</source>
        <translation>Zoom into a rectangle</translation>
    </message>
    <message>
        <source>Координата курсора по X</source>
        <translation>Cursor X coordinate</translation>
    </message>
    <message>
        <source>Координата курсора по Y</source>
        <translation>Cursor Y coordinate</translation>
    </message>
    <message>
        <source>Текущий сценарий</source>
        <translation>Current scenario</translation>
    </message>
    <message>
        <source>Начальная координата по оси X</source>
        <translation>Starting coordinate on the X axis</translation>
    </message>
    <message>
        <source>Начальная координата по оси Y</source>
        <translation>Starting coordinate on the Y axis</translation>
    </message>
    <message>
        <source>Размер одного пиксела по оси X</source>
        <translation>Size of one pixel on the X axis</translation>
    </message>
    <message>
        <source>Размер одного пиксела по оси Y</source>
        <translation>Size of one pixel on the Y axis</translation>
    </message>
    <message>
        <source>Количество вычислений на один пиксель экрана</source>
        <translation>Number of evaluations per screen pixel</translation>
    </message>
    <message>
        <source>Цвет заднего фона</source>
        <translation>Background colour</translation>
    </message>
    <message>
        <source>Цвет графика</source>
        <translation>Graph colour</translation>
    </message>
    <message>
        <source>Линии</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>Построение графика линиями от точки к точке</source>
        <translation>Draw the graph with lines from point to point</translation>
    </message>
    <message>
        <source>Точки</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>График будет показан точками (рекомендуется большое количество вычислений на один пиксель)</source>
        <translation>The graph is shown as points (many evaluations per pixel are recommended)</translation>
    </message>
    <message>
        <source>Новый</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Уничтожить старый график и построить новый</source>
        <translation>Erase the old graph and draw a new one</translation>
    </message>
    <message>
        <source>Сетка</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Вывести на экран координатную сетку</source>
        <translation>Show the coordinate grid</translation>
    </message>
    <message>
        <source>Оси XY</source>
        <translation>Axes</translation>
    </message>
    <message>
        <source>Показать оси XY</source>
        <translation>Show the XY axes</translation>
    </message>
    <message>
        <source>Выражение</source>
        <translation>Expression</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Функция</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Ограничить значения аргумента:</source>
        <translation>Limit the argument values:</translation>
    </message>
    <message>
        <source>Аргумент изменяется в заданных пределах</source>
        <translation>The argument varies within the given bounds</translation>
    </message>
    <message>
        <source>до</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Начальное значение X</source>
        <translation>Initial value of X</translation>
    </message>
    <message>
        <source>Конечное значение X</source>
        <translation>Final value of X</translation>
    </message>
    <message>
        <source>Начальное значение индекса n</source>
        <translation>Initial value of the index n</translation>
    </message>
    <message>
        <source>Конечное значение индекса n</source>
        <translation>Final value of the index n</translation>
    </message>
    <message>
        <source>Начальное значение a</source>
        <translation>Initial value of a</translation>
    </message>
    <message>
        <source>Значение константы c</source>
        <translation>Value of the constant c</translation>
    </message>
    <message>
        <source>Загрузить функцию...</source>
        <translation>Load function...</translation>
    </message>
    <message>
        <source>Загрузить функцию из файла</source>
        <translation>Load a function from a file</translation>
    </message>
    <message>
        <source>Сохранить функцию...</source>
        <translation>Save function...</translation>
    </message>
    <message>
        <source>Сохранить функцию в файл</source>
        <translation>Save the function to a file</translation>
    </message>
    <message>
        <source>Сохранить график...</source>
        <translation>Save graph...</translation>
    </message>
    <message>
        <source>Сохранить график функции в bmp-файле</source>
        <translation>Save the graph of the function in a bmp file</translation>
    </message>
    <message>
        <source>Сохранить сценарий...</source>
        <translation>Save scenario...</translation>
    </message>
    <message>
        <source>Сохранить текущий сценарий в текстовом файле</source>
        <translation>Save the current scenario in a text file</translation>
    </message>
    <message>
        <source>Значение функции  в точке:</source>
        <translation>Function value at the point:</translation>
    </message>
    <message>
        <source>Значение производной  в точке:</source>
        <translation>Derivative value at the point:</translation>
    </message>
    <message>
        <source>Определенный интеграл:</source>
        <translation>Definite integral:</translation>
    </message>
    <message>
        <source>Значение аргумента</source>
        <translation>Argument value</translation>
    </message>
    <message>
        <source>Нижний предел интегрирования</source>
        <translation>Lower limit of integration</translation>
    </message>
    <message>
        <source>Верхний предел интегрирования</source>
        <translation>Upper limit of integration</translation>
    </message>
    <message>
        <source>Вычислить значение функции</source>
        <translation>Compute the value of the function</translation>
    </message>
    <message>
        <source>Вычислить значение производной функции в данной точке</source>
        <translation>Compute the derivative of the function at this point</translation>
    </message>
    <message>
        <source>проинтегрировать</source>
        <translation>integrate</translation>
    </message>
    <message>
        <source>Вычислить значение интеграла</source>
        <translation>Compute the integral</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>&amp;Загрузить функцию...</source>
        <translation>&amp;Load function...</translation>
    </message>
    <message>
        <source>&amp;Сохранить функцию...</source>
        <translation>&amp;Save function...</translation>
    </message>
    <message>
        <source>Сохранить &amp;график...</source>
        <translation>Save &amp;graph...</translation>
    </message>
    <message>
        <source>&amp;Печать…</source>
        <translation>&amp;Print…</translation>
    </message>
    <message>
        <source>Копировать рисунок</source>
        <translation>Copy picture</translation>
    </message>
    <message>
        <source>Копировать результат</source>
        <translation>Copy result</translation>
    </message>
    <message>
        <source>&amp;Выход</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;О программе...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Помощь</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Файлы функций tvk (*.tvk)</source>
        <translation>tvk function files (*.tvk)</translation>
    </message>
    <message>
        <source>Файлы функций (*.tvk)</source>
        <translation>Function files (*.tvk)</translation>
    </message>
    <message>
        <source>Все файлы (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Текстовые документы (*.txt)</source>
        <translation>Text documents (*.txt)</translation>
    </message>
    <message>
        <source>&amp;Таблица и последовательность...</source>
        <translation>&amp;Table and sequence...</translation>
    </message>
    <message>
        <source>&amp;Таблица</source>
        <translation>&amp;Table</translation>
    </message>
    <message>
        <source>Подписи осей</source>
        <translation>Axis labels</translation>
    </message>
    <message>
        <source>Разрывы у полюсов</source>
        <translation>Breaks at poles</translation>
    </message>
    <message>
        <source>Трассировка</source>
        <translation>Trace</translation>
    </message>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперёд</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>&amp;Вид</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Построение графика… %1%</source>
        <translation>Plotting… %1%</translation>
    </message>
    <message>
        <source>Вычисление интеграла… %1%</source>
        <translation>Computing the integral… %1%</translation>
    </message>
    <message>
        <source>Вычисление прервано</source>
        <translation>Computation stopped</translation>
    </message>
    <message>
        <source>Последние файлы</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>Очистить список</source>
        <translation>Clear the list</translation>
    </message>
    <message>
        <source>Файл %1 не найден; он убран из списка последних файлов.</source>
        <translation>The file %1 was not found; it has been removed from the recent files.</translation>
    </message>
    <message>
        <source>Выражение, с которым ведутся вычисления</source>
        <translation>The expression the calculations use</translation>
    </message>
    <message>
        <source>&amp;Рисунок</source>
        <translation>&amp;Picture</translation>
    </message>
    <message>
        <source>П&amp;равка</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Кривые</source>
        <translation>Curves</translation>
    </message>
    <message>
        <source>Кривые рисунка: цвет, видимость, выражение</source>
        <translation>Curves of the picture: colour, visibility, expression</translation>
    </message>
    <message>
        <source>Заменить выбранную</source>
        <translation>Replace selected</translation>
    </message>
    <message>
        <source>Заменить выбранную кривую выражением и параметрами из полей</source>
        <translation>Replace the selected curve with the expression and parameters in the fields</translation>
    </message>
    <message>
        <source>Цвет…</source>
        <translation>Colour…</translation>
    </message>
    <message>
        <source>Цвет кривой</source>
        <translation>Colour of the curve</translation>
    </message>
    <message>
        <source>Выше</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Переместить кривую вверх</source>
        <translation>Move the curve up</translation>
    </message>
    <message>
        <source>Ниже</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Переместить кривую вниз</source>
        <translation>Move the curve down</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Удалить выбранную кривую (Delete)</source>
        <translation>Remove the selected curve (Delete)</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Удалить все кривые</source>
        <translation>Remove all curves</translation>
    </message>
    <message>
        <source>Легенда</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>Открыть набор кривых…</source>
        <translation>Open curve set…</translation>
    </message>
    <message>
        <source>Сохранить набор кривых…</source>
        <translation>Save curve set…</translation>
    </message>
    <message>
        <source>Десятичная запятая</source>
        <translation>Decimal comma</translation>
    </message>
    <message>
        <source>&amp;Масштаб (BMP, PNG):</source>
        <translation>&amp;Scale (BMP, PNG):</translation>
    </message>
    <message>
        <source>%1×</source>
        <translation>%1×</translation>
    </message>
    <message>
        <source>Рисунок</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Печатать на белом фоне</source>
        <translation>Print on a white background</translation>
    </message>
    <message>
        <source>Белый фон, чёрные оси и светло-серая сетка; слишком светлые кривые затемняются</source>
        <translation>White background, black axes and a light grey grid; curves too light are darkened</translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation>Smoothing</translation>
    </message>
    <message>
        <source>Сглаженные линии кривых в окне и в рисунках</source>
        <translation>Smoothed curve lines in the window and in pictures</translation>
    </message>
    <message>
        <source>Нуль</source>
        <translation>Zero</translation>
    </message>
    <message>
        <source>Минимум</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Максимум</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Перегиб</source>
        <translation>Inflection</translation>
    </message>
    <message>
        <source>Пересечение</source>
        <translation>Intersection</translation>
    </message>
    <message>
        <source>Особые точки</source>
        <translation>Points of interest</translation>
    </message>
    <message>
        <source>%1: x = %2, y = %3</source>
        <translation>%1: x = %2, y = %3</translation>
    </message>
    <message>
        <source>Касательная</source>
        <translation>Tangent</translation>
    </message>
    <message>
        <source>Касательная в точке x поля производной</source>
        <translation>The tangent at the x of the derivative field</translation>
    </message>
    <message>
        <source>y = %1·x - %2</source>
        <translation>y = %1·x - %2</translation>
    </message>
    <message>
        <source>y = %1·x + %2</source>
        <translation>y = %1·x + %2</translation>
    </message>
    <message>
        <source>Касательная в точке x = %1</source>
        <translation>The tangent at x = %1</translation>
    </message>
</context>
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
    <name>Keypad</name>
    <message>
        <source>Переменная X</source>
        <translation>Variable X</translation>
    </message>
    <message>
        <source>Операция сложения</source>
        <translation>Addition</translation>
    </message>
    <message>
        <source>Операция вычитания</source>
        <translation>Subtraction</translation>
    </message>
    <message>
        <source>Результат последнего вычисления</source>
        <translation>Result of the last computation</translation>
    </message>
    <message>
        <source>Умножение</source>
        <translation>Multiplication</translation>
    </message>
    <message>
        <source>Деление</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Натуральный индекс последовательности</source>
        <translation>Natural index of the sequence</translation>
    </message>
    <message>
        <source>Возведение в степень</source>
        <translation>Raising to a power</translation>
    </message>
    <message>
        <source>Функция извлечения корня</source>
        <translation>Square root function</translation>
    </message>
    <message>
        <source>Константа</source>
        <translation>Constant</translation>
    </message>
    <message>
        <source>Натуральный логарифм</source>
        <translation>Natural logarithm</translation>
    </message>
    <message>
        <source>Экспонента</source>
        <translation>Exponential</translation>
    </message>
    <message>
        <source>Синус угла в радианах</source>
        <translation>Sine of an angle in radians</translation>
    </message>
    <message>
        <source>Косинус угла в радианах</source>
        <translation>Cosine of an angle in radians</translation>
    </message>
    <message>
        <source>Открыть скобку</source>
        <translation>Open bracket</translation>
    </message>
    <message>
        <source>Закрыть скобку</source>
        <translation>Close bracket</translation>
    </message>
    <message>
        <source>Тангенс угла в радианах</source>
        <translation>Tangent of an angle in radians</translation>
    </message>
    <message>
        <source>Котангенс угла в радианах</source>
        <translation>Cotangent of an angle in radians</translation>
    </message>
    <message>
        <source>Число пи (3.1415...)</source>
        <translation>The number pi (3.1415...)</translation>
    </message>
    <message>
        <source>Модуль числа</source>
        <translation>Absolute value</translation>
    </message>
    <message>
        <source>Факториал (только для натуральных чисел)</source>
        <translation>Factorial (natural numbers only)</translation>
    </message>
    <message>
        <source>Число e (2.71828...)</source>
        <translation>The number e (2.71828...)</translation>
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
<context>
    <name>Messages</name>
    <message>
        <source>Выражение некорректно</source>
        <translation>The expression is incorrect</translation>
    </message>
    <message>
        <source>Скобки поставлены некорректно</source>
        <translation>The brackets are misplaced</translation>
    </message>
    <message>
        <source>Деление на ноль</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>Отрицательное число в дробной степени</source>
        <translation>Negative number to a fractional power</translation>
    </message>
    <message>
        <source>Ноль в ненатуральной степени</source>
        <translation>Zero to a non-natural power</translation>
    </message>
    <message>
        <source>Недопустимый аргумент тангенса</source>
        <translation>Invalid argument of the tangent</translation>
    </message>
    <message>
        <source>Недопустимый аргумент котангенса</source>
        <translation>Invalid argument of the cotangent</translation>
    </message>
    <message>
        <source>Квадратный корень из отрицательного числа</source>
        <translation>Square root of a negative number</translation>
    </message>
    <message>
        <source>Натуральный логарифм от неположительного числа</source>
        <translation>Natural logarithm of a non-positive number</translation>
    </message>
    <message>
        <source>Факториал ненатурального числа</source>
        <translation>Factorial of a non-natural number</translation>
    </message>
    <message>
        <source>Переполнение</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Пустой диапазон индексов n</source>
        <translation>Empty range of the index n</translation>
    </message>
    <message>
        <source>ОШИБКА: %1</source>
        <translation>ERROR: %1</translation>
    </message>
    <message>
        <source>Ошибка переполнения</source>
        <translation>Overflow error</translation>
    </message>
    <message>
        <source>График построен</source>
        <translation>Graph drawn</translation>
    </message>
    <message>
        <source>Построение прервано</source>
        <translation>Plotting stopped</translation>
    </message>
    <message>
        <source>Результат обработки выражения %1</source>
        <translation>Result of processing the expression %1</translation>
    </message>
    <message>
        <source>Введите правильное значение аргумента</source>
        <translation>Enter a valid argument value</translation>
    </message>
    <message>
        <source>Введите правильное значение предела интегрирования</source>
        <translation>Enter a valid limit of integration</translation>
    </message>
    <message>
        <source>Невозможно интегрировать последовательности</source>
        <translation>Sequences cannot be integrated</translation>
    </message>
    <message>
        <source>Интервал интегрирования слишком мал для таких пределов</source>
        <translation>The interval of integration is too small for such limits</translation>
    </message>
    <message>
        <source>Значение функции в точке %1</source>
        <translation>Value of the function at the point %1</translation>
    </message>
    <message>
        <source>Значение производной функции в точке %1</source>
        <translation>Value of the derivative of the function at the point %1</translation>
    </message>
    <message>
        <source>Значение определенного интеграла от %1 до %2</source>
        <translation>Value of the definite integral from %1 to %2</translation>
    </message>
    <message>
        <source>Шаг должен быть больше нуля</source>
        <translation>The step must be greater than zero</translation>
    </message>
    <message>
        <source>Слишком много строк: не больше 1000001</source>
        <translation>Too many rows: no more than 1000001</translation>
    </message>
    <message>
        <source>Введите правильные значения x0, xk и h</source>
        <translation>Enter valid values of x0, xk and h</translation>
    </message>
    <message>
        <source>Сходится к %1</source>
        <translation>Converges to %1</translation>
    </message>
    <message>
        <source>Цикл периода %1: %2</source>
        <translation>Cycle of period %1: %2</translation>
    </message>
    <message>
        <source>Расходится к +∞</source>
        <translation>Diverges to +∞</translation>
    </message>
    <message>
        <source>Расходится к −∞</source>
        <translation>Diverges to −∞</translation>
    </message>
    <message>
        <source>Расходится</source>
        <translation>Diverges</translation>
    </message>
    <message>
        <source>Поведение не установлено</source>
        <translation>Behaviour not determined</translation>
    </message>
    <message>
        <source>Последний член: %1</source>
        <translation>Last term: %1</translation>
    </message>
    <message>
        <source>Последняя разность: %1</source>
        <translation>Last difference: %1</translation>
    </message>
    <message>
        <source>Члены последовательности</source>
        <translation>Sequence terms</translation>
    </message>
    <message>
        <source>Паутина</source>
        <translation>Cobweb</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Паутина строится только для выражений без n</source>
        <translation>The cobweb is drawn only for expressions without n</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Invalid filename</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>File access denied</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>Cannot save to a socket</source>
        <translation>Cannot save to a socket</translation>
    </message>
    <message>
        <source>No process reads from the pipe</source>
        <translation>No process reads from the pipe</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>I/O error %1</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Cannot create file %1</translation>
    </message>
    <message>
        <source>Stream write error</source>
        <translation>Stream write error</translation>
    </message>
    <message>
        <source>Value out of range in line %1</source>
        <translation>Value out of range in line %1</translation>
    </message>
    <message>
        <source>Missing value in line %1</source>
        <translation>Missing value in line %1</translation>
    </message>
    <message>
        <source>Invalid argument bound in line %1</source>
        <translation>Invalid argument bound in line %1</translation>
    </message>
    <message>
        <source>Argument bounds out of order in lines 10 and 11</source>
        <translation>Argument bounds out of order in lines 10 and 11</translation>
    </message>
    <message>
        <source>Рисунок PNG (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Рисунок SVG (*.svg)</source>
        <translation>SVG picture (*.svg)</translation>
    </message>
    <message>
        <source>Рисунок PDF (*.pdf)</source>
        <translation>PDF picture (*.pdf)</translation>
    </message>
    <message>
        <source>Рисунок BMP (*.bmp)</source>
        <translation>BMP picture (*.bmp)</translation>
    </message>
    <message>
        <source>The name is a folder, not a file</source>
        <translation>The name is a folder, not a file</translation>
    </message>
    <message>
        <source>Cannot read from a socket</source>
        <translation>Cannot read from a socket</translation>
    </message>
    <message>
        <source>Invalid numeric input in line %1</source>
        <translation>Invalid numeric input in line %1</translation>
    </message>
    <message>
        <source>Missing line %1</source>
        <translation>Missing line %1</translation>
    </message>
    <message>
        <source>Line %1 ends without a line break</source>
        <translation>Line %1 ends without a line break</translation>
    </message>
    <message>
        <source>Line %1 is too long</source>
        <translation>Line %1 is too long</translation>
    </message>
    <message>
        <source>Invalid character in line %1</source>
        <translation>Invalid character in line %1</translation>
    </message>
    <message>
        <source>кривая %1, ключ &quot;%2&quot;</source>
        <translation>curve %1, key &quot;%2&quot;</translation>
    </message>
    <message>
        <source>ключ &quot;%1&quot;</source>
        <translation>key &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Файл набора кривых повреждён: строка %1, столбец %2</source>
        <translation>The curve set file is damaged: line %1, column %2</translation>
    </message>
    <message>
        <source>Это не файл набора кривых</source>
        <translation>This is not a curve set file</translation>
    </message>
    <message>
        <source>Неизвестный формат файла набора кривых</source>
        <translation>Unknown curve set file format</translation>
    </message>
    <message>
        <source>Файл набора кривых записан более новой версией программы</source>
        <translation>The curve set file was written by a newer version of the program</translation>
    </message>
    <message>
        <source>Неверное значение в файле набора кривых: %1</source>
        <translation>Invalid value in the curve set file: %1</translation>
    </message>
    <message>
        <source>Ошибка в выражении кривой %1: %2</source>
        <translation>Error in the expression of curve %1: %2</translation>
    </message>
    <message>
        <source>Наборы кривых (*.tvkset)</source>
        <translation>Curve sets (*.tvkset)</translation>
    </message>
</context>
<context>
    <name>PointsPage</name>
    <message>
        <source>Точка</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Копировать выбранные строки</source>
        <translation>Copy the selected rows</translation>
    </message>
    <message>
        <source>Сохранить CSV...</source>
        <translation>Save CSV...</translation>
    </message>
    <message>
        <source>Сохранить точки в CSV-файле</source>
        <translation>Save the points in a CSV file</translation>
    </message>
    <message>
        <source>Файлы CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Точек одного вида больше %1: показаны первые %1.</source>
        <translation>More than %1 points of one kind: the first %1 are shown.</translation>
    </message>
    <message>
        <source>Точек: %1</source>
        <translation>Points: %1</translation>
    </message>
</context>
<context>
    <name>StartOptionTexts</name>
    <message>
        <source>Tarvik — исследование функций и последовательностей: графики, значения, производные и интегралы.</source>
        <translation>Tarvik — a function and sequence explorer: graphs, values, derivatives and integrals.</translation>
    </message>
    <message>
        <source>[ФАЙЛ]</source>
        <translation>[FILE]</translation>
    </message>
    <message>
        <source>Список параметров: tarvik --help</source>
        <translation>The options: tarvik --help</translation>
    </message>
    <message>
        <source>Можно открыть только один файл.</source>
        <translation>Only one file can be opened.</translation>
    </message>
    <message>
        <source>Файл функции (.tvk) или набор кривых (.tvkset), который открыть после запуска.</source>
        <translation>A function file (.tvk) or a curve set (.tvkset) to open after the start.</translation>
    </message>
</context>
<context>
    <name>TableWindow</name>
    <message>
        <source>Последовательность</source>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>Члены a_n при n от n0 до nk</source>
        <translation>Terms a_n for n from n0 to nk</translation>
    </message>
    <message>
        <source>Таблица функции</source>
        <translation>Function table</translation>
    </message>
    <message>
        <source>Значения f(x) при x = x0 + k·h</source>
        <translation>Values f(x) at x = x0 + k·h</translation>
    </message>
    <message>
        <source>Значение аргумента x для последовательности</source>
        <translation>Argument value x for the sequence</translation>
    </message>
    <message>
        <source>Начальное x</source>
        <translation>Initial x</translation>
    </message>
    <message>
        <source>Конечное x</source>
        <translation>Final x</translation>
    </message>
    <message>
        <source>Шаг h</source>
        <translation>Step h</translation>
    </message>
    <message>
        <source>Заполнить</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>Заполнить таблицу для последнего выражения</source>
        <translation>Fill the table for the last expression</translation>
    </message>
    <message>
        <source>Что показывает рисунок главного окна</source>
        <translation>What the main window&apos;s picture shows</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Копировать выбранные строки</source>
        <translation>Copy the selected rows</translation>
    </message>
    <message>
        <source>Сохранить CSV...</source>
        <translation>Save CSV...</translation>
    </message>
    <message>
        <source>Сохранить таблицу в CSV-файле</source>
        <translation>Save the table in a CSV file</translation>
    </message>
    <message>
        <source>Файлы CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Рисунок:</source>
        <translation>Picture:</translation>
    </message>
    <message>
        <source>Таблица</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Заполнение таблицы… %1%</source>
        <translation>Filling the table… %1%</translation>
    </message>
    <message>
        <source>Заполнение прервано</source>
        <translation>Filling stopped</translation>
    </message>
    <message>
        <source>Особые точки</source>
        <translation>Points of interest</translation>
    </message>
</context>
<context>
    <name>TarvikCli</name>
    <message>
        <source>использование: tarvik-cli value|tree|derivative|integral|table|sequence|render ВЫРАЖЕНИЕ [параметры] или tarvik-cli render --load ФАЙЛ.tvk -o КАРТИНКА [параметры рисунка]</source>
        <translation>usage: tarvik-cli value|tree|derivative|integral|table|sequence|render EXPRESSION [options] or tarvik-cli render --load FILE.tvk -o PICTURE [picture options]</translation>
    </message>
    <message>
        <source>неизвестная команда: %1</source>
        <translation>unknown command: %1</translation>
    </message>
    <message>
        <source>нет выражения после команды %1</source>
        <translation>no expression after the command %1</translation>
    </message>
    <message>
        <source>нет значения у %1</source>
        <translation>no value for %1</translation>
    </message>
    <message>
        <source>неизвестный параметр для %1: %2</source>
        <translation>unknown option for %1: %2</translation>
    </message>
    <message>
        <source>не задан %1</source>
        <translation>%1 is not given</translation>
    </message>
    <message>
        <source>недопустимое значение %1: %2</source>
        <translation>invalid value of %1: %2</translation>
    </message>
    <message>
        <source>Вычисление интеграла…</source>
        <translation>Computing the integral…</translation>
    </message>
    <message>
        <source>%1 и %2 вместе не задаются</source>
        <translation>%1 and %2 cannot be given together</translation>
    </message>
    <message>
        <source>%1 (bmp, png, svg или pdf)</source>
        <translation>%1 (bmp, png, svg or pdf)</translation>
    </message>
    <message>
        <source>расширение файла рисунка должно быть .bmp, .png, .svg или .pdf: %1</source>
        <translation>the picture file&apos;s extension must be .bmp, .png, .svg or .pdf: %1</translation>
    </message>
    <message>
        <source>--format не совпадает с расширением файла %1</source>
        <translation>--format does not match the extension of the file %1</translation>
    </message>
    <message>
        <source>--x только с --terms или --cobweb</source>
        <translation>--x only with --terms or --cobweb</translation>
    </message>
    <message>
        <source>Построение графика…</source>
        <translation>Plotting…</translation>
    </message>
    <message>
        <source>Не удалось записать рисунок в стандартный вывод: %1</source>
        <translation>Cannot write the picture to standard output: %1</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1: %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>пересечения ищутся для двух выражений, остальные точки - для одного: --kind %1</source>
        <translation>intersections are looked for between two expressions, the other points of one: --kind %1</translation>
    </message>
    <message>
        <source>интервал пуст: %1 не меньше %2</source>
        <translation>empty interval: %1 is not less than %2</translation>
    </message>
    <message>
        <source>%1: больше %2 точек, показаны первые %2</source>
        <translation>%1: more than %2 points, the first %2 are shown</translation>
    </message>
    <message>
        <source>интервал слишком широк: от %1 до %2</source>
        <translation>the interval is too wide: from %1 to %2</translation>
    </message>
    <message>
        <source>выражение и --load вместе не задаются: выражение берётся из файла</source>
        <translation>an expression and --load cannot be given together: the expression comes from the file</translation>
    </message>
    <message>
        <source>недопустимое значение %1: «%2» (%3)</source>
        <translation>invalid value of %1: “%2” (%3)</translation>
    </message>
    <message>
        <source>нужны две границы через запятую</source>
        <translation>two bounds separated by a comma are needed</translation>
    </message>
    <message>
        <source>граница — не число</source>
        <translation>a bound is not a number</translation>
    </message>
    <message>
        <source>нижняя граница не меньше верхней</source>
        <translation>the lower bound is not below the upper one</translation>
    </message>
    <message>
        <source>граница вне допустимых пределов</source>
        <translation>a bound is outside the allowed range</translation>
    </message>
    <message>
        <source>--from больше --to: %1 &gt; %2</source>
        <translation>--from is greater than --to: %1 &gt; %2</translation>
    </message>
    <message>
        <source>Вычисление таблицы…</source>
        <translation>Computing the table…</translation>
    </message>
    <message>
        <source>Вычисление таблицы прервано</source>
        <translation>Table computation interrupted</translation>
    </message>
    <message>
        <source>ВЫРАЖЕНИЕ</source>
        <translation>EXPRESSION</translation>
    </message>
    <message>
        <source>значение выражения без x, или значение f(x) в точке --x</source>
        <translation>the value of an expression without x, or the value f(x) at --x</translation>
    </message>
    <message>
        <source>узлы дерева выражения по порядку</source>
        <translation>the nodes of the expression&apos;s tree in order</translation>
    </message>
    <message>
        <source>производная f&apos;(x) в точке --x</source>
        <translation>the derivative f&apos;(x) at --x</translation>
    </message>
    <message>
        <source>определённый интеграл от --from до --to</source>
        <translation>the definite integral from --from to --to</translation>
    </message>
    <message>
        <source>значения f(x) от --from до --to с шагом --step</source>
        <translation>the values f(x) from --from to --to in steps of --step</translation>
    </message>
    <message>
        <source>члены последовательности или, с --summary, её итог</source>
        <translation>the terms of a sequence or, with --summary, its summary</translation>
    </message>
    <message>
        <source>ВЫРАЖЕНИЕ | --load ФАЙЛ.tvk</source>
        <translation>EXPRESSION | --load FILE.tvk</translation>
    </message>
    <message>
        <source>рисунок графика в файл BMP, PNG, SVG или PDF (-o)</source>
        <translation>the picture of the graph into a BMP, PNG, SVG or PDF file (-o)</translation>
    </message>
    <message>
        <source>значение аргумента x</source>
        <translation>the value of the argument x</translation>
    </message>
    <message>
        <source>ЧИСЛО</source>
        <translation>NUMBER</translation>
    </message>
    <message>
        <source>начальное значение a (1)</source>
        <translation>the initial value of a (1)</translation>
    </message>
    <message>
        <source>значение константы c (1)</source>
        <translation>the value of the constant c (1)</translation>
    </message>
    <message>
        <source>первый индекс n, от 0 (1)</source>
        <translation>the first index n, from 0 (1)</translation>
    </message>
    <message>
        <source>последний индекс n, до 100000 (100)</source>
        <translation>the last index n, up to 100000 (100)</translation>
    </message>
    <message>
        <source>нижний предел интегрирования, первое x таблицы</source>
        <translation>the lower limit of integration, the table&apos;s first x</translation>
    </message>
    <message>
        <source>верхний предел интегрирования, последнее x таблицы</source>
        <translation>the upper limit of integration, the table&apos;s last x</translation>
    </message>
    <message>
        <source>шаг таблицы, больше нуля</source>
        <translation>the table&apos;s step, greater than zero</translation>
    </message>
    <message>
        <source>число потоков, 1..256 (по числу ядер)</source>
        <translation>the number of threads, 1..256 (one per core)</translation>
    </message>
    <message>
        <source>последний член, последняя разность и поведение</source>
        <translation>the last term, the last difference and the behaviour</translation>
    </message>
    <message>
        <source>ФАЙЛ</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>файл рисунка .bmp, .png, .svg или .pdf; - для стандартного вывода</source>
        <translation>the picture file .bmp, .png, .svg or .pdf; - for standard output</translation>
    </message>
    <message>
        <source>формат стандартного вывода или устройства (bmp)</source>
        <translation>the format for standard output or a device (bmp)</translation>
    </message>
    <message>
        <source>ШxВ</source>
        <translation>WxH</translation>
    </message>
    <message>
        <source>размер рисунка в пикселях, до 20000 (308x275)</source>
        <translation>the picture&apos;s size in pixels, up to 20000 (308x275)</translation>
    </message>
    <message>
        <source>левый верхний угол и масштабы по X и Y</source>
        <translation>the top left corner and the X and Y scales</translation>
    </message>
    <message>
        <source>начало координат в центре (так и есть без --view)</source>
        <translation>the origin in the centre (the default without --view)</translation>
    </message>
    <message>
        <source>точность: отсчётов на пиксель (1)</source>
        <translation>the precision: samples per pixel (1)</translation>
    </message>
    <message>
        <source>ограничить значения аргумента</source>
        <translation>limit the argument values</translation>
    </message>
    <message>
        <source>цвет фона (000000)</source>
        <translation>the background colour (000000)</translation>
    </message>
    <message>
        <source>цвет линии (FFFF00)</source>
        <translation>the line colour (FFFF00)</translation>
    </message>
    <message>
        <source>ФАЙЛ.tvk</source>
        <translation>FILE.tvk</translation>
    </message>
    <message>
        <source>выражение и параметры из файла функции</source>
        <translation>the expression and parameters from a function file</translation>
    </message>
    <message>
        <source>точки вместо линий</source>
        <translation>points instead of lines</translation>
    </message>
    <message>
        <source>без сетки</source>
        <translation>no grid</translation>
    </message>
    <message>
        <source>без осей</source>
        <translation>no axes</translation>
    </message>
    <message>
        <source>члены последовательности точками</source>
        <translation>the terms of the sequence as points</translation>
    </message>
    <message>
        <source>лестница Ламерея (паутина)</source>
        <translation>the cobweb diagram</translation>
    </message>
    <message>
        <source>числа на осях</source>
        <translation>numbers on the axes</translation>
    </message>
    <message>
        <source>не соединять кривую через полюсы</source>
        <translation>leave the curve open at poles</translation>
    </message>
    <message>
        <source>эта справка</source>
        <translation>this help</translation>
    </message>
    <message>
        <source>версия программы</source>
        <translation>the program&apos;s version</translation>
    </message>
    <message>
        <source>Использование: tarvik-cli КОМАНДА ВЫРАЖЕНИЕ [параметры]
               tarvik-cli render --load ФАЙЛ.tvk -o РИСУНОК [параметры рисунка]
               tarvik-cli help КОМАНДА | --help | --version
</source>
        <translation>Usage: tarvik-cli COMMAND EXPRESSION [options]
       tarvik-cli render --load FILE.tvk -o PICTURE [picture options]
       tarvik-cli help COMMAND | --help | --version
</translation>
    </message>
    <message>
        <source>Команды:</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>Параметры:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Параметры команды: tarvik-cli help КОМАНДА. Результат, который является ошибкой, даёт код выхода 1, ошибка в командной строке — код 2.</source>
        <translation>A command&apos;s options: tarvik-cli help COMMAND. A result that is an error exits with 1, an error in the command line with 2.</translation>
    </message>
    <message>
        <source>Использование:</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>[параметры]</source>
        <translation>[options]</translation>
    </message>
    <message>
        <source>использование: tarvik-cli КОМАНДА ВЫРАЖЕНИЕ [параметры]; список команд и параметров: tarvik-cli --help</source>
        <translation>usage: tarvik-cli COMMAND EXPRESSION [options]; the commands and options: tarvik-cli --help</translation>
    </message>
    <message>
        <source>%1: %2 вне диапазона %3..%4</source>
        <translation>%1: %2 is out of range %3..%4</translation>
    </message>
    <message>
        <source>value: для выражения с x нужен параметр %1</source>
        <translation>value: an expression with x needs %1</translation>
    </message>
    <message>
        <source>лишние слова после %1</source>
        <translation>extra words after %1</translation>
    </message>
    <message>
        <source>перед командой: запятая между цифрами — десятичная точка, результаты с запятой</source>
        <translation>before the command: a comma between digits is the decimal point, results show the comma</translation>
    </message>
    <message>
        <source>пикселей BMP и PNG на пиксель рисунка, 1..4, для печати (1)</source>
        <translation>BMP and PNG pixels to a pixel of the picture, 1..4, for print (1)</translation>
    </message>
</context>
</TS>
