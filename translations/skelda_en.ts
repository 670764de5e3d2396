<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Commands</name>
    <message>
        <source>Загрузить изображение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить изображение (*.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить изображение (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создать и сохранить (*.nc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поворачивать по EXIF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отразить по горизонтали</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отразить по вертикали</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повернуть на 90 град.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инвертировать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Оригинал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точечный Floyd-Steinberg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точками</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точечный мутно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точечный разброс</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Крестик 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Крестик 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Крестик 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Крестик 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слабый разброс</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мутное стекло</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мозайка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Черно-белое</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Аткинсон</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Джарвис — Джудис — Нинке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стуки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Беркс</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серра</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серра, две строки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серра облегчённая</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Упорядоченный 8×8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Полутоновый растр…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Змейкой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Классический (G5, M40)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GRBL 1.1, лазерный режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры станка…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Просмотр прожига</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Рамка…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тестовая сетка…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключить…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отправить на станок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отправить файл…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Рамка на станке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Домой ($H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разблокировать ($X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ноль здесь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>О программе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Применить</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Hints</name>
    <message>
        <source>Вписать изображение по размеру окна.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отобразить в масштабе 1:1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повернуть изображение на 90 градусов против часовой стрелки.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повернуть изображение на 90 градусов по часовой стрелке.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отзеркалить по вертикали.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отзеркалить по горизонтали.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Оригинальное изображение.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точками.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Черно-белое.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инвертировать изображение.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подтвердить изменения.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить управляющую программу в формате G-code *.nc (Tavrilo)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть файл изображения (*.jpg/ *.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер одной точки в мм.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер точки в DPI (кол-во точек на дюйм)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер изображения в точках по оси X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер изображения в миллиметрах по оси X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер изображения в точках по оси Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер изображения в миллиметрах по оси Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В точечном режиме этот параметр задает время прожига. В линейном, задержку перед перемещением после включения лазера.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость прожига в мм\мин в линейном режиме.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Программа для классического станка (G5, M40).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Программа для контроллера GRBL 1.1 в лазерном режиме ($32=1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность, перебег и направление прожига для GRBL.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показать, что прожжет программа, и время работы станка.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Наибольшая скорость осей X и Y в мм\мин (параметры $110, $111 в GRBL).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ускорение осей X и Y в мм\с² (параметры $120, $121 в GRBL).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Допустимое отклонение на углах в мм (параметр $11 в GRBL).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Полная мощность лазера S (параметр $30 в GRBL).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность S для белого цвета при прожиге по яркости.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разгон и торможение за краями строки в мм.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сдвиг обратных проходов по X в мм (люфт ремня, задержка лазера).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Все проходы слева направо, возврат холостым ходом.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность каждой точки по ее яркости, без перевода в черно-белое.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сколько разных мощностей при прожиге по яркости (2..256): меньше — короче программа.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Белые промежутки строки длиннее этого в мм проходить холостым ходом; 0 — нет.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость порта контроллера в бодах для времени работы; 0 — не учитывать.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Кривая мощности при прожиге по яркости (0.2..5): 1 — прямая, меньше — темнее полутона, больше — светлее.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Расстояние между строками в мм (только GRBL); пусто — равно размеру точки.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить программу обхода контура изображения, чтобы положить материал.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить программу тестовой сетки мощностей и скоростей для GRBL.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощности S строк сетки: от:до:количество (до 20).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорости столбцов сетки в мм\мин: от:до:количество (до 20).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сторона квадрата сетки в мм, не меньше двух точек.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Другие способы перевести изображение в точки.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точками по Аткинсону: контрастно, хорошо для дерева.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точками по Джарвису — Джудису — Нинке: мягкие переходы тонов.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точками по Стуки: мягкие переходы тонов.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точками по Берксу.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точками по Серра.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точками по Серра в две строки.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Точками по Серра облегчённой: быстро и мелко.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Упорядоченный растр 8×8 (Байер).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Полутоновый растр: круглые точки растут из центров ячеек, как в газете.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Число ячеек растра на дюйм, от 5 до 200: меньше — крупнее точки.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поворот растра в градусах против часовой стрелки, обычно 45.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Методы с рассеянием ошибки проходят каждую вторую строку справа налево.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключиться к контроллеру GRBL по USB или по сети.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отключиться от станка.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить программу изображения и прожечь ее на станке.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прожиг на станке только для GRBL: выберите «GRBL 1.1, лазерный режим».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прожечь на станке готовую программу *.nc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обвести контур изображения на станке, чтобы положить материал.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Рамка на станке только для GRBL: выберите «GRBL 1.1, лазерный режим».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выход в нулевую точку по концевикам ($H).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Снять блокировку после тревоги ($X).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Принять текущее положение за ноль X и Y заготовки.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Контроллер на USB-порту компьютера.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порт станка: выберите из списка или впишите имя устройства.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Найти порты заново (после подключения кабеля).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость порта в бодах: у GRBL 115200.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Контроллер в сети (grblHAL, FluidNC по Wi-Fi или Ethernet).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес контроллера: tcp://ХОСТ[:ПОРТ], порт по умолчанию 23.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Состояние станка по его отчету.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Положение в координатах заготовки, мм.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переместить головку влево на шаг.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переместить головку вправо на шаг.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переместить головку вперед на шаг.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переместить головку назад на шаг.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Остановить перемещение.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Шаг перемещения кнопками в мм.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость перемещения кнопками в мм\мин.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполненная часть задания по времени.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Приостановить задание (лазер гаснет) или продолжить его.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Остановить задание: лазер гаснет, положение сохраняется.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уменьшить скорость на 10 %.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость как в программе.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Увеличить скорость на 10 %.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уменьшить мощность лазера на 10 %.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность как в программе.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Увеличить мощность лазера на 10 %.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Строка, с которой «Отправить на станок» продолжит прерванный прожиг.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить изображение в формате PNG.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть одно из пяти последних изображений.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ставить фотографии так, как их показывает камера (метка поворота EXIF).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отменить последнее изменение изображения.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повторить отмененное изменение изображения.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия программы и лицензии библиотек.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык окна программы: русский или английский.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показывать окно программы на русском языке.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показывать окно программы на английском языке.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>IJG, BSD (3 пункта), zlib</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
Версия %2 (%3)

Библиотеки и их лицензии:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изображения (*.jpg *.jpeg *.png *.bmp *.gif *.webp *.tif *.tiff);;Все файлы (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изображение PNG (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>О программе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Шаг, мм:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F, мм/мин:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Работа</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Перемещение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тревога</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дверь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Проверка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поиск нуля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сон</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Черно-белое</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Резкость</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Яркость</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Контрастность</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Последние файлы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер точки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>        мм.       dpi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер по X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер по Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> пикс.    мм.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время прожига</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>мс.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Лин.\Точки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Редактировать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Эффекты</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Другие методы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Станок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Справка</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skelda::ConnectDialog</name>
    <message>
        <source>Скорость %1 бод вне пределов от 9600 до 250000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой адрес станка пишется так: tcp://ХОСТ[:ПОРТ], например tcp://192.168.1.50:23</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключить станок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порт USB (последовательный)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сеть (grblHAL, FluidNC)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порт:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость, бод:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выберите порт станка или впишите его имя</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skelda::FieldsDialog</name>
    <message>
        <source>Отмена</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skelda::HalftoneDialog</name>
    <message>
        <source>Полутоновый растр</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ячеек на дюйм (5–200):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Угол растра, градусы:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skelda::MachineDialog</name>
    <message>
        <source>Параметры станка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>размер точки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Жечь только слева направо</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность по яркости (полутона)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность лазера, S:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность белого, S:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Перебег, мм:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сдвиг обратного хода, мм:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровней мощности:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Гамма:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Шаг строк, мм:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пробелы холостым ходом длиннее, мм:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость холостого хода, мм/мин:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ускорение, мм/с²:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отклонение на углах, мм:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость порта, бод:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skelda::MachinePanel</name>
    <message>
        <source>Станок: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подача: %1 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность: %1 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Строка %1 из %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прошло: %1
Осталось: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Продолжить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Продолжить можно с строки %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skelda::TForm1</name>
    <message>
        <source>Файл уже существует. Заменить?
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Рамка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность рамки S (0 – лазер выключен):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключение к %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключено: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Станок не подключен: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Связь со станком потеряна: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Станок: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Станок отключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость перемещения %1 мм/мин должна быть больше 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Остановить задание и выйти?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вы дейсвительно хотите применить текушие параметры ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Действительно хотите закрыть программу ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Связь со станком потеряна.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Станок остановил задание: %1 %2 — %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>тревога</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>код</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Строка %1 файла: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Строки в буфере станка (%1) могли выполниться.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
«Отправить на станок» продолжит с строки %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Продолжить с строки %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задание отправлено на станок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задание выполнено: строк %1, время %2 (по плану %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задание остановлено на строке %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задание прервано на строке %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, из них %1 с ожидания порта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время работы: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Программа GRBL: X от %1 до %2 мм</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skelda::TForm2</name>
    <message>
        <source>Значение</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skelda::TestGridDialog</name>
    <message>
        <source>Тестовая сетка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мощность S, от:до:кол-во:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость мм/мин, от:до:кол-во:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сторона квадрата, мм:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
