<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Aurivent</name>
    <message>
        <source>Update Note:</source>
        <translation>Note de mise à jour :</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Adresse IP</translation>
    </message>
    <message>
        <source>No sensor information: the sensor plug-in is not loaded.</source>
        <translation>Aucune donnée de capteur : le module des capteurs n&apos;est pas chargé.</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>IP Address</source>
        <translation>Adresse IP</translation>
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
        <translation>ENREGISTRER</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
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
        <translation>Unicolore</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ARRÊT</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>Serpent</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>Cycle</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>Radar</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>Respiration</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>Tourbillon</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Fixe</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>Musique 1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>Musique 2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>Musique 3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>Mobile 1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>Mobile 2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>Mobile 3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Température</translation>
    </message>
    <message>
        <source>So Fast</source>
        <translation>Très rapide</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rapide</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lent</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>VENTILATEUR</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Mode d&apos;éclairage</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Mode couleur</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>Vitesse d&apos;effet</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Perfor-mance</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Silence</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Valider</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Défaut</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LUMINOSITÉ LED</translation>
    </message>
    <message>
        <source>RGB Color Code</source>
        <translation>Code couleur RGB</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
</context>
<context>
    <name>SaveFailureNotice</name>
    <message>
        <source>Save failed</source>
        <translation>Échec de l’enregistrement</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>Les réglages n’ont pas pu être enregistrés dans %1.</translation>
    </message>
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <source>開啟檔案</source>
        <translation>Ouvrir un fichier</translation>
    </message>
</context>
<context>
    <name>VaylaRGBFanView</name>
    <message>
        <source>FAN</source>
        <translation>VENTILATEUR</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>VENTILATION</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Perfor-mance</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Silence</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LUMINOSITÉ LED</translation>
    </message>
</context>
</TS>
