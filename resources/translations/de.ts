<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AlertText</name>
    <message>
        <source>Fan stopped</source>
        <translation>Lüfter steht still</translation>
    </message>
    <message>
        <source>Fan turns again</source>
        <translation>Lüfter dreht wieder</translation>
    </message>
    <message>
        <source>Controller not answering</source>
        <translation>Controller antwortet nicht</translation>
    </message>
    <message>
        <source>Controller answers again</source>
        <translation>Controller antwortet wieder</translation>
    </message>
    <message>
        <source>Temperature reading lost</source>
        <translation>Temperaturmessung verloren</translation>
    </message>
    <message>
        <source>Temperature reading back</source>
        <translation>Temperaturmessung wieder da</translation>
    </message>
    <message>
        <source>Temperature high</source>
        <translation>Temperatur zu hoch</translation>
    </message>
    <message>
        <source>Temperature normal again</source>
        <translation>Temperatur wieder normal</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>Einstellungen gespeichert</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 has stopped.</source>
        <translation>Lüfter %1 von Controller %2 steht still.</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 turns again.</source>
        <translation>Lüfter %1 von Controller %2 dreht wieder.</translation>
    </message>
    <message>
        <source>Controller %1 answers again.</source>
        <translation>Controller %1 antwortet wieder.</translation>
    </message>
    <message>
        <source>Controller %1 is gone: its fans are not watched.</source>
        <translation>Controller %1 ist getrennt: seine Lüfter werden nicht überwacht.</translation>
    </message>
    <message>
        <source>Controller %1 does not answer: its fans are not watched.</source>
        <translation>Controller %1 antwortet nicht: seine Lüfter werden nicht überwacht.</translation>
    </message>
    <message>
        <source>No reading from %1.</source>
        <translation>Keine Messung von %1.</translation>
    </message>
    <message>
        <source>%1 reads again.</source>
        <translation>%1 misst wieder.</translation>
    </message>
    <message>
        <source>%1 has been above %2 °C for %3 s (%4 °C).</source>
        <translation>%1 liegt seit %3 s über %2 °C (%4 °C).</translation>
    </message>
    <message>
        <source>%1 is at or under %2 °C again.</source>
        <translation>%1 liegt wieder bei oder unter %2 °C.</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>Die Einstellungen konnten nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 was written again.</source>
        <translation>%1 wurde wieder geschrieben.</translation>
    </message>
    <message>
        <source>Open Aurivent</source>
        <translation>Aurivent öffnen</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Controller No. %1</source>
        <translation>Controller Nr. %1</translation>
    </message>
    <message>
        <source>FAN %1</source>
        <translation>LÜFTER %1</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Steht still: %1</translation>
    </message>
    <message>
        <source>Not answering: its fans are not watched</source>
        <translation>Antwortet nicht: Lüfter unbeobachtet</translation>
    </message>
    <message>
        <source>FAN 4, 5 give no speed. A box of three single-colour fans?</source>
        <translation>LÜFTER 4, 5 melden keine Drehzahl. Eine Box mit drei einfarbigen Lüftern?</translation>
    </message>
    <message>
        <source>Set it under Settings (gear) &gt; %1</source>
        <translation>Einstellen unter Einstellungen (Zahnrad) &gt; %1</translation>
    </message>
</context>
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
    <message>
        <source>Phone server off</source>
        <translation>Handy-Server aus</translation>
    </message>
    <message>
        <source>Phone server: this computer only</source>
        <translation>Handy-Server: nur dieser Computer</translation>
    </message>
    <message>
        <source>No CPU temperature</source>
        <translation>Keine CPU-Temperatur</translation>
    </message>
    <message>
        <source>Fans that follow the CPU temperature now run at their highest allowed speed until it can be read again.</source>
        <translation>Lüfter, die der CPU-Temperatur folgen, laufen jetzt mit ihrer höchsten erlaubten Drehzahl, bis sie wieder gelesen werden kann.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>No sensor chips found.</source>
        <translation>Keine Sensorchips gefunden.</translation>
    </message>
    <message>
        <source>No temperature from %1</source>
        <translation>Keine Temperatur von %1</translation>
    </message>
</context>
<context>
    <name>CurveController</name>
    <message>
        <source>fans on %1 run at their highest allowed speed</source>
        <translation>Lüfter mit %1 laufen mit ihrer höchsten erlaubten Drehzahl</translation>
    </message>
    <message>
        <source>%1 go on with their other sources</source>
        <translation>%1 arbeiten mit ihren übrigen Quellen weiter</translation>
    </message>
</context>
<context>
    <name>CurveEdit</name>
    <message>
        <source>The curve needs a name.</source>
        <translation>Die Kurve braucht einen Namen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of a preset.</source>
        <translation>„%1“ ist der Name einer Vorgabe.</translation>
    </message>
    <message>
        <source>Another curve is named &quot;%1&quot;.</source>
        <translation>Eine andere Kurve heißt bereits „%1“.</translation>
    </message>
    <message>
        <source>A curve has %1 to %2 points, not %3.</source>
        <translation>Eine Kurve hat %1 bis %2 Punkte, nicht %3.</translation>
    </message>
    <message>
        <source>Point %1 must be warmer than point %2.</source>
        <translation>Punkt %1 muss wärmer sein als Punkt %2.</translation>
    </message>
    <message>
        <source>Point %1 must not run slower than point %2.</source>
        <translation>Punkt %1 darf nicht langsamer laufen als Punkt %2.</translation>
    </message>
    <message>
        <source>Choose at least one temperature source.</source>
        <translation>Wählen Sie mindestens eine Temperaturquelle.</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Nicht gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>CurveEditor</name>
    <message>
        <source>Not saved: %1</source>
        <translation>Nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>The curves file could not be written.</source>
        <translation>Die Kurvendatei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>Gespeichert.</translation>
    </message>
    <message>
        <source>Now: %1 °C, %2 %</source>
        <translation>Jetzt: %1 °C, %2 %</translation>
    </message>
    <message>
        <source>Now: no reading of this curve&apos;s sources</source>
        <translation>Jetzt: keine Messung der Quellen dieser Kurve</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>Lüfterkurven</translation>
    </message>
    <message>
        <source>&amp;Curve</source>
        <translation>&amp;Kurve</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Sources</source>
        <translation>&amp;Quellen</translation>
    </message>
    <message>
        <source>Mi&amp;x</source>
        <translation>Mi&amp;schung</translation>
    </message>
    <message>
        <source>&amp;Hysteresis (°C)</source>
        <translation>&amp;Hysterese (°C)</translation>
    </message>
    <message>
        <source>Step &amp;up (%/s)</source>
        <translation>Anstieg &amp;hoch (%/s)</translation>
    </message>
    <message>
        <source>Step &amp;down (%/s)</source>
        <translation>Abfall &amp;runter (%/s)</translation>
    </message>
    <message>
        <source>Mi&amp;nimum duty (%)</source>
        <translation>Mi&amp;ndestleistung (%)</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Duty %</source>
        <translation>Leistung %</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>The curve&apos;s points: temperature and duty, 2 to 8 of them, warmer downwards</source>
        <translation>Die Punkte der Kurve: Temperatur und Leistung, 2 bis 8, nach unten wärmer</translation>
    </message>
    <message>
        <source>Curve graph</source>
        <translation>Kurvendiagramm</translation>
    </message>
    <message>
        <source>Drag a point to move it; the orange ring is where the fan is now</source>
        <translation>Ziehen Sie einen Punkt, um ihn zu verschieben; der orange Ring zeigt, wo der Lüfter gerade steht</translation>
    </message>
    <message>
        <source>A falling temperature must drop this far before the fan slows down</source>
        <translation>Eine fallende Temperatur muss so weit sinken, bevor der Lüfter langsamer wird</translation>
    </message>
    <message>
        <source>How fast the duty may rise; 0 = at once</source>
        <translation>Wie schnell die Leistung steigen darf; 0 = sofort</translation>
    </message>
    <message>
        <source>How fast the duty may fall; 0 = at once</source>
        <translation>Wie schnell die Leistung sinken darf; 0 = sofort</translation>
    </message>
    <message>
        <source>The fan never runs slower than this</source>
        <translation>Langsamer läuft der Lüfter nie</translation>
    </message>
    <message>
        <source>The temperatures the curve follows; several make a mix</source>
        <translation>Die Temperaturen, denen die Kurve folgt; mehrere ergeben eine Mischung</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>Höchste</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Durchschnitt</translation>
    </message>
    <message>
        <source>Add point</source>
        <translation>Punkt hinzufügen</translation>
    </message>
    <message>
        <source>Remove point</source>
        <translation>Punkt entfernen</translation>
    </message>
    <message>
        <source>Copy to a new curve</source>
        <translation>In neue Kurve kopieren</translation>
    </message>
    <message>
        <source>Presets cannot be changed: edit a copy</source>
        <translation>Vorgaben lassen sich nicht ändern: Bearbeiten Sie eine Kopie</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>CurveSelector</name>
    <message>
        <source>Fan %1 follows &quot;%2&quot; on %3.</source>
        <translation>Lüfter %1 folgt „%2“ mit %3.</translation>
    </message>
    <message>
        <source>Follows %1</source>
        <translation>Folgt %1</translation>
    </message>
    <message>
        <source>Fan curve</source>
        <translation>Lüfterkurve</translation>
    </message>
    <message>
        <source>Curves</source>
        <translation>Kurven</translation>
    </message>
    <message>
        <source>The curve this fan&apos;s speed follows while PWM is on</source>
        <translation>Die Kurve, der die Drehzahl dieses Lüfters bei eingeschaltetem PWM folgt</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Verwenden</translation>
    </message>
    <message>
        <source>This fan follows the chosen curve</source>
        <translation>Dieser Lüfter folgt der gewählten Kurve</translation>
    </message>
    <message>
        <source>Edit curves…</source>
        <translation>Kurven bearbeiten…</translation>
    </message>
    <message>
        <source>Opens the curve editor</source>
        <translation>Öffnet den Kurveneditor</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>CurveText</name>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>average of %1</source>
        <translation>Durchschnitt von %1</translation>
    </message>
    <message>
        <source>highest of %1</source>
        <translation>Höchstwert von %1</translation>
    </message>
    <message>
        <source>%1 (preset)</source>
        <translation>%1 (Vorgabe)</translation>
    </message>
</context>
<context>
    <name>GraphText</name>
    <message>
        <source>time (UTC)</source>
        <translation>Zeit (UTC)</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <source>%1 mean</source>
        <translation>%1 Mittel</translation>
    </message>
    <message>
        <source>%1 max</source>
        <translation>%1 Max.</translation>
    </message>
    <message>
        <source>alerts</source>
        <translation>Warnungen</translation>
    </message>
    <message>
        <source>%1 (°C)</source>
        <translation>%1 (°C)</translation>
    </message>
    <message>
        <source>%1 duty (%)</source>
        <translation>%1 Tastgrad (%)</translation>
    </message>
    <message>
        <source>%1 (RPM)</source>
        <translation>%1 (RPM)</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>Box %1</translation>
    </message>
    <message>
        <source>Fan %1</source>
        <translation>Lüfter %1</translation>
    </message>
    <message>
        <source>Box %1 fan %2</source>
        <translation>Box %1 Lüfter %2</translation>
    </message>
    <message>
        <source>Every fan</source>
        <translation>Alle Lüfter</translation>
    </message>
</context>
<context>
    <name>GraphsWindow</name>
    <message>
        <source>Aurivent — graphs</source>
        <translation>Aurivent — Verläufe</translation>
    </message>
    <message>
        <source>5 min</source>
        <translation>5 Min.</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 Std.</translation>
    </message>
    <message>
        <source>24 h</source>
        <translation>24 Std.</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Als CSV exportieren…</translation>
    </message>
    <message>
        <source>Temperature (°C)</source>
        <translation>Temperatur (°C)</translation>
    </message>
    <message>
        <source>Duty (%)</source>
        <translation>Tastgrad (%)</translation>
    </message>
    <message>
        <source>Speed (RPM)</source>
        <translation>Drehzahl (RPM)</translation>
    </message>
    <message>
        <source>No alerts in this time.</source>
        <translation>Keine Warnungen in dieser Zeit.</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Alert ended</source>
        <translation>Warnung beendet</translation>
    </message>
    <message>
        <source>Shaded: %1 did not answer</source>
        <translation>Schattiert: %1 hat nicht geantwortet</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>Als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>Die Datei konnte nicht geschrieben werden: %1</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Sensors</source>
        <translation>Sensoren</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Spannung</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>Lüfter</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Strom</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Takt</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>Auslastung</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>Temp.</translation>
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
    <message>
        <source>Fans of this box:</source>
        <translation>Lüfter dieser Box:</translation>
    </message>
    <message>
        <source>12-LED fans</source>
        <translation>12-LED-Lüfter</translation>
    </message>
    <message>
        <source>single-colour fans</source>
        <translation>einfarbige Lüfter</translation>
    </message>
    <message>
        <source>No controller box found</source>
        <translation>Keine Controller-Box gefunden</translation>
    </message>
    <message>
        <source>Connect a box by USB. It is found as soon as it is plugged in.</source>
        <translation>Schließen Sie eine Box über USB an. Sie wird gefunden, sobald sie eingesteckt ist.</translation>
    </message>
    <message>
        <source>On Linux, using a box needs the udev rule 70-aurivent.rules (see the README, &quot;Real boxes&quot;); plug the box in again after installing it.</source>
        <translation>Unter Linux braucht die Box die udev-Regel 70-aurivent.rules (siehe README, „Real boxes“); stecken Sie die Box nach der Installation neu ein.</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>Phone access</source>
        <translation>Handy-Zugriff</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>This computer only</source>
        <translation>Nur dieser Computer</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>The phone app asks for this password before it sends commands. It is not a lock: the program hands it to every device that connects to port 5489. To keep others on the network away from the fans, set Phone access to &quot;This computer only&quot; or &quot;Off&quot;, or block port 5489 in the firewall.</source>
        <translation>Die Handy-App fragt nach diesem Passwort, bevor sie Befehle sendet. Es ist kein Schloss: Das Programm gibt es jedem Gerät, das sich mit Port 5489 verbindet. Um andere im Netzwerk von den Lüftern fernzuhalten, stellen Sie Handy-Zugriff auf „Nur dieser Computer“ oder „Aus“ oder sperren Sie Port 5489 in der Firewall.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>simulated boxes</source>
        <translation>simulierte Boxen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Closes the window; the program goes on in the tray</source>
        <translation>Schließt das Fenster; das Programm läuft im Infobereich weiter</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Language, updates, password, phone access, kind of fans</source>
        <translation>Sprache, Updates, Passwort, Telefonzugriff, Art der Lüfter</translation>
    </message>
    <message>
        <source>Earlier boxes</source>
        <translation>Vorige Boxen</translation>
    </message>
    <message>
        <source>Later boxes</source>
        <translation>Weitere Boxen</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>Profil %1</translation>
    </message>
    <message>
        <source>Keeps the settings shown in the current profile</source>
        <translation>Speichert die gezeigten Einstellungen im aktuellen Profil</translation>
    </message>
    <message>
        <source>Shows what the temperature sensors read</source>
        <translation>Zeigt, was die Temperatursensoren messen</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>Neues Passwort</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Keeps the four digits as the new password</source>
        <translation>Übernimmt die vier Ziffern als neues Passwort</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Removes the last digit</source>
        <translation>Entfernt die letzte Ziffer</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Not answering</source>
        <translation>Antwortet nicht</translation>
    </message>
    <message>
        <source>A fan stopped</source>
        <translation>Ein Lüfter steht still</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>Box %1</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>Verläufe</translation>
    </message>
    <message>
        <source>Menu key or right click: copy the settings shown into this profile</source>
        <translation>Menütaste oder Rechtsklick: die angezeigten Einstellungen in dieses Profil kopieren</translation>
    </message>
    <message>
        <source>Copy the settings shown to PROFILE%1</source>
        <translation>Angezeigte Einstellungen nach PROFIL%1 kopieren</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Nicht gespeicherte Änderungen</translation>
    </message>
    <message>
        <source>PROFILE%1 has changes that are not saved. Save them before PROFILE%2 is loaded?</source>
        <translation>PROFIL%1 hat nicht gespeicherte Änderungen. Vor dem Laden von PROFIL%2 speichern?</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>Lüfterkurven</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>Für alle</translation>
    </message>
    <message>
        <source>All fans of this box</source>
        <translation>Alle Lüfter dieser Box</translation>
    </message>
    <message>
        <source>All fans of every box</source>
        <translation>Alle Lüfter aller Boxen</translation>
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
        <translation>Stan­dard</translation>
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
        <translation>Ab­bruch</translation>
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
    <message>
        <source>No sound heard: music needs a sound server</source>
        <translation>Kein Ton: Musik braucht einen Soundserver</translation>
    </message>
    <message>
        <source>Opens the panel of a fan that is switched off</source>
        <translation>Öffnet das Feld eines ausgeschalteten Lüfters</translation>
    </message>
    <message>
        <source>%1 on or off</source>
        <translation>%1 ein oder aus</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>Ausgeschaltet ist das Feld zu und der Lüfter wird nicht auf Stillstand überwacht</translation>
    </message>
    <message>
        <source>LED %1</source>
        <translation>LED %1</translation>
    </message>
    <message>
        <source>Selected LEDs take the colour picked on the palette</source>
        <translation>Ausgewählte LEDs nehmen die Farbe an, die auf der Palette gewählt wird</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>Volle Lüfterdrehzahl</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>Niedrigste Lüfterdrehzahl</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature, between 50 % and 100 %</source>
        <translation>Die Lüfterdrehzahl folgt der CPU-Temperatur, zwischen 50 % und 100 %</translation>
    </message>
    <message>
        <source>Fan speed with PWM</source>
        <translation>Lüfterdrehzahl mit PWM</translation>
    </message>
    <message>
        <source>From 50 % to 100 %, while PWM is on</source>
        <translation>Von 50 % bis 100 %, solange PWM an ist</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>Lüfterdrehzahl</translation>
    </message>
    <message>
        <source>From 0 % to 100 %, while PWM is off</source>
        <translation>Von 0 % bis 100 %, solange PWM aus ist</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LED-Helligkeit</translation>
    </message>
    <message>
        <source>Previous light mode</source>
        <translation>Vorheriger Lichtmodus</translation>
    </message>
    <message>
        <source>Next light mode</source>
        <translation>Nächster Lichtmodus</translation>
    </message>
    <message>
        <source>Previous color mode</source>
        <translation>Vorheriger Farbmodus</translation>
    </message>
    <message>
        <source>Next color mode</source>
        <translation>Nächster Farbmodus</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Langsamer</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Schneller</translation>
    </message>
    <message>
        <source>Ends the selection of LEDs</source>
        <translation>Beendet die Auswahl der LEDs</translation>
    </message>
    <message>
        <source>Puts back the default colours</source>
        <translation>Stellt die Standardfarben wieder her</translation>
    </message>
    <message>
        <source>Type a colour as red, green and blue</source>
        <translation>Eine Farbe als Rot, Grün und Blau eingeben</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>LEDs aus</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>Schaltet die LEDs dieses Lüfters aus oder wieder ein</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>0 to 255</source>
        <translation>0 bis 255</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Gives the selected LEDs this colour</source>
        <translation>Gibt den ausgewählten LEDs diese Farbe</translation>
    </message>
    <message>
        <source>Closes without changing a colour</source>
        <translation>Schließt, ohne eine Farbe zu ändern</translation>
    </message>
    <message>
        <source>Graphs of %1</source>
        <translation>Verläufe von %1</translation>
    </message>
    <message>
        <source>Temperature, duty and speed over time</source>
        <translation>Temperatur, Tastgrad und Drehzahl im Zeitverlauf</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>Für alle</translation>
    </message>
    <message>
        <source>Cap 50 %</source>
        <translation>Max. 50 %</translation>
    </message>
    <message>
        <source>Cap 100 %</source>
        <translation>Max. 100 %</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>Für alle Lüfter</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s light mode, colours, light speed and fan speed</source>
        <translation>Gibt allen Lüftern dieser Box Lichtmodus, Farben, Lichtgeschwindigkeit und Lüftergeschwindigkeit dieses Lüfters</translation>
    </message>
    <message>
        <source>Cap %1 %</source>
        <translation>Max. %1 %</translation>
    </message>
    <message>
        <source>No CPU temp.</source>
        <translation>Keine CPU-Temp.</translation>
    </message>
    <message>
        <source>By CPU: %1 %</source>
        <translation>Nach CPU: %1 %</translation>
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
    <message>
        <source>The phone access setting in Device.ini could not be read: only this computer can reach the phone server until you choose again in the settings menu.</source>
        <translation>Die Einstellung zum Telefonzugriff in Device.ini konnte nicht gelesen werden: Bis Sie im Einstellungsmenü neu wählen, erreicht nur dieser Computer den Telefonserver.</translation>
    </message>
    <message>
        <source>Some settings in Device.ini could not be read and were set to their safe choice: %1.</source>
        <translation>Einige Einstellungen in Device.ini konnten nicht gelesen werden und wurden auf ihre sichere Wahl gesetzt: %1.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
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
    <name>Tray</name>
    <message>
        <source>Open Aurivent</source>
        <translation>Aurivent öffnen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Start Aurivent at log-in</source>
        <translation>Aurivent bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>not with simulated boxes</source>
        <translation>nicht mit simulierten Boxen</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>Verläufe</translation>
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
    <message>
        <source>%1 on or off</source>
        <translation>%1 ein oder aus</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>Ausgeschaltet ist das Feld zu und der Lüfter wird nicht auf Stillstand überwacht</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>Volle Lüfterdrehzahl</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>Niedrigste Lüfterdrehzahl</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature</source>
        <translation>Die Lüfterdrehzahl folgt der CPU-Temperatur</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>Lüfterdrehzahl</translation>
    </message>
    <message>
        <source>RGB cycle</source>
        <translation>RGB-Wechsel</translation>
    </message>
    <message>
        <source>The colours cycle through the rainbow</source>
        <translation>Die Farben wechseln durch den Regenbogen</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>LEDs aus</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>Schaltet die LEDs dieses Lüfters aus oder wieder ein</translation>
    </message>
    <message>
        <source>The colour blinks</source>
        <translation>Die Farbe blinkt</translation>
    </message>
    <message>
        <source>Copy fan 1</source>
        <translation>Lüfter 1 übernehmen</translation>
    </message>
    <message>
        <source>Takes over the lighting of fan 1</source>
        <translation>Übernimmt die Beleuchtung von Lüfter 1</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LED-Helligkeit</translation>
    </message>
    <message>
        <source>Brightest at the left</source>
        <translation>Links am hellsten</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>Für alle</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>Für alle Lüfter</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s colour, lighting, brightness and fan speed</source>
        <translation>Gibt jedem Lüfter dieser Box Farbe, Beleuchtung, Helligkeit und Drehzahl dieses Lüfters</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Aurivent already runs in the background without a window (the aurivent service) and drives the fans. Only one Aurivent can drive them at a time. To use the window, stop the service first:
systemctl --user stop aurivent.service</source>
        <translation>Aurivent läuft bereits im Hintergrund ohne Fenster (der Dienst aurivent) und steuert die Lüfter. Es kann immer nur ein Aurivent die Lüfter steuern. Um das Fenster zu benutzen, beenden Sie zuerst den Dienst:
systemctl --user stop aurivent.service</translation>
    </message>
</context>
</TS>
