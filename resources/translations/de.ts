<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Aurivent</name>
    <message>
        <source>Update Note:</source>
        <translation>Update-Hinweis:</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>No sensor information: the sensor plug-in is not loaded.</source>
        <translation>Keine Sensordaten: Das Sensor-Plug-in ist nicht geladen.</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>TEMP</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>PROFIL</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SPEICHERN</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>en</source>
        <translation>English</translation>
    </message>
    <message>
        <source>tc</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <source>cn</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>de</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>fr</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>jp</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>th</source>
        <translation>ไทย</translation>
    </message>
</context>
<context>
    <name>RainbowFan</name>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Einfarbig</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>Schlange</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>Zyklus</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>Radar</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Blinken</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>Atmen</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>Wirbel</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Dauerlicht</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>Musik 1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>Musik 2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>Musik 3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>Handy 1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>Handy 2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>Handy 3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>So Fast</source>
        <translation>Sehr schnell</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsam</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>LÜFTER</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Lichtmodus</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Farbmodus</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>Effekttempo</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Leis-tung</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Leise</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbruch</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED-HELLIGKEIT</translation>
    </message>
    <message>
        <source>RGB Color Code</source>
        <translation>RGB-Farbcode</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Leistung</translation>
    </message>
</context>
<context>
    <name>SaveFailureNotice</name>
    <message>
        <source>Save failed</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <source>開啟檔案</source>
        <translation>Datei öffnen</translation>
    </message>
</context>
<context>
    <name>VaylaRGBFanView</name>
    <message>
        <source>FAN</source>
        <translation>LÜFTER</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>LÜFTERMODUS</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Leis-tung</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Leise</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Blinken</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED-HELLIGKEIT</translation>
    </message>
</context>
</TS>
