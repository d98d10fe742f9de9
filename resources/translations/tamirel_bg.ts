<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The toolkit's words in the dialogs the program opens that the toolkit's own Bulgarian
     translation lacks: the file dialog's file types and the print dialog's newer texts. -->
<TS version="2.1" language="bg_BG">
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Папка</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>Файл %1</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Неизвестен</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Pages</source>
        <translation>Страници</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Двустранен печат</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Без</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>С подвързване по дългата страна</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>С подвързване по късата страна</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Страници или обхвати, разделени със запетаи; обхватът е от две числа, разделени с тире. Например 3,5-7,9 отпечатва страници 3, 5, 6, 7 и 9.</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Допълнителни</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Страници или обхвати, разделени със запетаи; обхватът е от две числа, разделени с тире. Например 3,5-7,9 отпечатва страници 3, 5, 6, 7 и 9.</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Несъвместими настройки на страницата</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Някои настройки на страницата са несъвместими. Да бъдат ли поправени?</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Несъвместими допълнителни настройки</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Някои допълнителни настройки са несъвместими. Да бъдат ли поправени?</translation>
    </message>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Неправилно зададени страници</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>„%1“ не е записано правилно. Разделяйте страниците и обхватите със „,“, задавайте обхват с „-“ и не допускайте обхватите да се застъпват.</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Несъвместими настройки на двустранния печат</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Настройките на двустранния печат са несъвместими. Да бъдат ли поправени?</translation>
    </message>
</context>
</TS>
