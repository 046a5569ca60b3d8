<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AlertText</name>
    <message>
        <source>Fan stopped</source>
        <translation>Ventilateur arrêté</translation>
    </message>
    <message>
        <source>Fan turns again</source>
        <translation>Le ventilateur tourne de nouveau</translation>
    </message>
    <message>
        <source>Controller not answering</source>
        <translation>Le contrôleur ne répond pas</translation>
    </message>
    <message>
        <source>Controller answers again</source>
        <translation>Le contrôleur répond de nouveau</translation>
    </message>
    <message>
        <source>Temperature reading lost</source>
        <translation>Mesure de température perdue</translation>
    </message>
    <message>
        <source>Temperature reading back</source>
        <translation>Mesure de température rétablie</translation>
    </message>
    <message>
        <source>Temperature high</source>
        <translation>Température élevée</translation>
    </message>
    <message>
        <source>Temperature normal again</source>
        <translation>Température de nouveau normale</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>Échec de l’enregistrement</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>Réglages enregistrés</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 has stopped.</source>
        <translation>Le ventilateur %1 du contrôleur %2 s&apos;est arrêté.</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 turns again.</source>
        <translation>Le ventilateur %1 du contrôleur %2 tourne de nouveau.</translation>
    </message>
    <message>
        <source>Controller %1 answers again.</source>
        <translation>Le contrôleur %1 répond de nouveau.</translation>
    </message>
    <message>
        <source>Controller %1 is gone: its fans are not watched.</source>
        <translation>Le contrôleur %1 a disparu : ses ventilateurs ne sont plus surveillés.</translation>
    </message>
    <message>
        <source>Controller %1 does not answer: its fans are not watched.</source>
        <translation>Le contrôleur %1 ne répond pas : ses ventilateurs ne sont plus surveillés.</translation>
    </message>
    <message>
        <source>No reading from %1.</source>
        <translation>Aucune mesure de %1.</translation>
    </message>
    <message>
        <source>%1 reads again.</source>
        <translation>%1 mesure de nouveau.</translation>
    </message>
    <message>
        <source>%1 has been above %2 °C for %3 s (%4 °C).</source>
        <translation>%1 dépasse %2 °C depuis %3 s (%4 °C).</translation>
    </message>
    <message>
        <source>%1 is at or under %2 °C again.</source>
        <translation>%1 est de nouveau à %2 °C ou moins.</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>Les réglages n&apos;ont pas pu être écrits dans %1.</translation>
    </message>
    <message>
        <source>%1 was written again.</source>
        <translation>%1 a de nouveau été écrit.</translation>
    </message>
    <message>
        <source>Open Aurivent</source>
        <translation>Ouvrir Aurivent</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Controller No. %1</source>
        <translation>Contrôleur n° %1</translation>
    </message>
    <message>
        <source>FAN %1</source>
        <translation>VENTILATEUR %1</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Arrêté : %1</translation>
    </message>
    <message>
        <source>Not answering: its fans are not watched</source>
        <translation>Ne répond pas : ventilateurs non surveillés</translation>
    </message>
    <message>
        <source>FAN 4, 5 give no speed. A box of three single-colour fans?</source>
        <translation>VENTILATEUR 4, 5 sans vitesse. Un boîtier de trois ventilateurs unicolores ?</translation>
    </message>
    <message>
        <source>Set it under Settings (gear) &gt; %1</source>
        <translation>À régler dans Réglages (roue dentée) &gt; %1</translation>
    </message>
</context>
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
    <message>
        <source>Phone server off</source>
        <translation>Serveur téléphone désactivé</translation>
    </message>
    <message>
        <source>Phone server: this computer only</source>
        <translation>Serveur téléphone : cet ordinateur seulement</translation>
    </message>
    <message>
        <source>No CPU temperature</source>
        <translation>Aucune température du processeur</translation>
    </message>
    <message>
        <source>Fans that follow the CPU temperature now run at their highest allowed speed until it can be read again.</source>
        <translation>Les ventilateurs qui suivent la température du processeur tournent maintenant à leur vitesse maximale autorisée jusqu&apos;à ce qu&apos;elle puisse de nouveau être lue.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>No sensor chips found.</source>
        <translation>Aucune puce de capteur trouvée.</translation>
    </message>
    <message>
        <source>No temperature from %1</source>
        <translation>Aucune température de %1</translation>
    </message>
</context>
<context>
    <name>CurveController</name>
    <message>
        <source>fans on %1 run at their highest allowed speed</source>
        <translation>les ventilateurs sur %1 tournent à leur vitesse maximale autorisée</translation>
    </message>
    <message>
        <source>%1 go on with their other sources</source>
        <translation>%1 continuent avec leurs autres sources</translation>
    </message>
</context>
<context>
    <name>CurveEdit</name>
    <message>
        <source>The curve needs a name.</source>
        <translation>La courbe a besoin d’un nom.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of a preset.</source>
        <translation>« %1 » est le nom d’un préréglage.</translation>
    </message>
    <message>
        <source>Another curve is named &quot;%1&quot;.</source>
        <translation>Une autre courbe s’appelle déjà « %1 ».</translation>
    </message>
    <message>
        <source>A curve has %1 to %2 points, not %3.</source>
        <translation>Une courbe a de %1 à %2 points, pas %3.</translation>
    </message>
    <message>
        <source>Point %1 must be warmer than point %2.</source>
        <translation>Le point %1 doit être plus chaud que le point %2.</translation>
    </message>
    <message>
        <source>Point %1 must not run slower than point %2.</source>
        <translation>Le point %1 ne doit pas tourner moins vite que le point %2.</translation>
    </message>
    <message>
        <source>Choose at least one temperature source.</source>
        <translation>Choisissez au moins une source de température.</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Non enregistré : %1</translation>
    </message>
</context>
<context>
    <name>CurveEditor</name>
    <message>
        <source>Not saved: %1</source>
        <translation>Non enregistré : %1</translation>
    </message>
    <message>
        <source>The curves file could not be written.</source>
        <translation>Le fichier des courbes n’a pas pu être écrit.</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>Enregistré.</translation>
    </message>
    <message>
        <source>Now: %1 °C, %2 %</source>
        <translation>Maintenant : %1 °C, %2 %</translation>
    </message>
    <message>
        <source>Now: no reading of this curve&apos;s sources</source>
        <translation>Maintenant : aucune mesure des sources de cette courbe</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>Courbes des ventilateurs</translation>
    </message>
    <message>
        <source>&amp;Curve</source>
        <translation>&amp;Courbe</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Nom</translation>
    </message>
    <message>
        <source>&amp;Sources</source>
        <translation>&amp;Sources</translation>
    </message>
    <message>
        <source>Mi&amp;x</source>
        <translation>&amp;Mélange</translation>
    </message>
    <message>
        <source>&amp;Hysteresis (°C)</source>
        <translation>&amp;Hystérésis (°C)</translation>
    </message>
    <message>
        <source>Step &amp;up (%/s)</source>
        <translation>Pas de &amp;montée (%/s)</translation>
    </message>
    <message>
        <source>Step &amp;down (%/s)</source>
        <translation>Pas de &amp;descente (%/s)</translation>
    </message>
    <message>
        <source>Mi&amp;nimum duty (%)</source>
        <translation>Puissance mi&amp;nimale (%)</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Duty %</source>
        <translation>Puissance %</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>The curve&apos;s points: temperature and duty, 2 to 8 of them, warmer downwards</source>
        <translation>Les points de la courbe : température et puissance, de 2 à 8, plus chauds vers le bas</translation>
    </message>
    <message>
        <source>Curve graph</source>
        <translation>Graphique de la courbe</translation>
    </message>
    <message>
        <source>Drag a point to move it; the orange ring is where the fan is now</source>
        <translation>Faites glisser un point pour le déplacer ; l’anneau orange montre où en est le ventilateur</translation>
    </message>
    <message>
        <source>A falling temperature must drop this far before the fan slows down</source>
        <translation>Une température qui baisse doit descendre d’autant avant que le ventilateur ralentisse</translation>
    </message>
    <message>
        <source>How fast the duty may rise; 0 = at once</source>
        <translation>Vitesse à laquelle la puissance peut monter ; 0 = immédiatement</translation>
    </message>
    <message>
        <source>How fast the duty may fall; 0 = at once</source>
        <translation>Vitesse à laquelle la puissance peut baisser ; 0 = immédiatement</translation>
    </message>
    <message>
        <source>The fan never runs slower than this</source>
        <translation>Le ventilateur ne tourne jamais moins vite</translation>
    </message>
    <message>
        <source>The temperatures the curve follows; several make a mix</source>
        <translation>Les températures que suit la courbe ; plusieurs forment un mélange</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>La plus haute</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Add point</source>
        <translation>Ajouter un point</translation>
    </message>
    <message>
        <source>Remove point</source>
        <translation>Retirer le point</translation>
    </message>
    <message>
        <source>Copy to a new curve</source>
        <translation>Copier dans une nouvelle courbe</translation>
    </message>
    <message>
        <source>Presets cannot be changed: edit a copy</source>
        <translation>Les préréglages ne peuvent pas être modifiés : modifiez une copie</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>CurveSelector</name>
    <message>
        <source>Fan %1 follows &quot;%2&quot; on %3.</source>
        <translation>Le ventilateur %1 suit « %2 » sur %3.</translation>
    </message>
    <message>
        <source>Follows %1</source>
        <translation>Suit %1</translation>
    </message>
    <message>
        <source>Fan curve</source>
        <translation>Courbe du ventilateur</translation>
    </message>
    <message>
        <source>Curves</source>
        <translation>Courbes</translation>
    </message>
    <message>
        <source>The curve this fan&apos;s speed follows while PWM is on</source>
        <translation>La courbe que suit la vitesse de ce ventilateur quand PWM est activé</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Utiliser</translation>
    </message>
    <message>
        <source>This fan follows the chosen curve</source>
        <translation>Ce ventilateur suit la courbe choisie</translation>
    </message>
    <message>
        <source>Edit curves…</source>
        <translation>Modifier les courbes…</translation>
    </message>
    <message>
        <source>Opens the curve editor</source>
        <translation>Ouvre l’éditeur de courbes</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
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
        <translation>moyenne de %1</translation>
    </message>
    <message>
        <source>highest of %1</source>
        <translation>la plus haute de %1</translation>
    </message>
    <message>
        <source>%1 (preset)</source>
        <translation>%1 (préréglage)</translation>
    </message>
</context>
<context>
    <name>GraphText</name>
    <message>
        <source>time (UTC)</source>
        <translation>heure (UTC)</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min.</translation>
    </message>
    <message>
        <source>%1 mean</source>
        <translation>%1 moy.</translation>
    </message>
    <message>
        <source>%1 max</source>
        <translation>%1 max.</translation>
    </message>
    <message>
        <source>alerts</source>
        <translation>alertes</translation>
    </message>
    <message>
        <source>%1 (°C)</source>
        <translation>%1 (°C)</translation>
    </message>
    <message>
        <source>%1 duty (%)</source>
        <translation>%1 rapport cyclique (%)</translation>
    </message>
    <message>
        <source>%1 (RPM)</source>
        <translation>%1 (RPM)</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>Boîtier %1</translation>
    </message>
    <message>
        <source>Fan %1</source>
        <translation>Ventilateur %1</translation>
    </message>
    <message>
        <source>Box %1 fan %2</source>
        <translation>Boîtier %1 ventilateur %2</translation>
    </message>
    <message>
        <source>Every fan</source>
        <translation>Tous les ventilateurs</translation>
    </message>
</context>
<context>
    <name>GraphsWindow</name>
    <message>
        <source>Aurivent — graphs</source>
        <translation>Aurivent — graphiques</translation>
    </message>
    <message>
        <source>5 min</source>
        <translation>5 min</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 h</translation>
    </message>
    <message>
        <source>24 h</source>
        <translation>24 h</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Exporter en CSV…</translation>
    </message>
    <message>
        <source>Temperature (°C)</source>
        <translation>Température (°C)</translation>
    </message>
    <message>
        <source>Duty (%)</source>
        <translation>Rapport cyclique (%)</translation>
    </message>
    <message>
        <source>Speed (RPM)</source>
        <translation>Vitesse (RPM)</translation>
    </message>
    <message>
        <source>No alerts in this time.</source>
        <translation>Aucune alerte pendant cette période.</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>Alerte</translation>
    </message>
    <message>
        <source>Alert ended</source>
        <translation>Fin d&apos;alerte</translation>
    </message>
    <message>
        <source>Shaded: %1 did not answer</source>
        <translation>En grisé : %1 n’a pas répondu</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>Le fichier n&apos;a pas pu être écrit : %1</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Sensors</source>
        <translation>Capteurs</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Température</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Tension</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>Ventilateur</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Courant</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Puissance</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Fréquence</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>Utilisation</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
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
    <message>
        <source>Fans of this box:</source>
        <translation>Ventilateurs du boîtier :</translation>
    </message>
    <message>
        <source>12-LED fans</source>
        <translation>Ventilateurs 12 LED</translation>
    </message>
    <message>
        <source>single-colour fans</source>
        <translation>ventilateurs unicolores</translation>
    </message>
    <message>
        <source>No controller box found</source>
        <translation>Aucun boîtier contrôleur trouvé</translation>
    </message>
    <message>
        <source>Connect a box by USB. It is found as soon as it is plugged in.</source>
        <translation>Branchez un boîtier en USB. Il est détecté dès qu&apos;il est branché.</translation>
    </message>
    <message>
        <source>On Linux, using a box needs the udev rule 70-aurivent.rules (see the README, &quot;Real boxes&quot;); plug the box in again after installing it.</source>
        <translation>Sous Linux, l&apos;accès au boîtier nécessite la règle udev 70-aurivent.rules (voir le README, « Real boxes ») ; rebranchez le boîtier après l&apos;avoir installée.</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Enregistré</translation>
    </message>
    <message>
        <source>Phone access</source>
        <translation>Accès téléphone</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>This computer only</source>
        <translation>Cet ordinateur seulement</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>The phone app asks for this password before it sends commands. It is not a lock: the program hands it to every device that connects to port 5489. To keep others on the network away from the fans, set Phone access to &quot;This computer only&quot; or &quot;Off&quot;, or block port 5489 in the firewall.</source>
        <translation>L&apos;application téléphone demande ce mot de passe avant d&apos;envoyer des commandes. Ce n&apos;est pas un verrou : le programme le transmet à tout appareil qui se connecte au port 5489. Pour tenir les autres appareils du réseau à l&apos;écart des ventilateurs, réglez Accès téléphone sur « Cet ordinateur seulement » ou « Désactivé », ou bloquez le port 5489 dans le pare-feu.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Infos</translation>
    </message>
    <message>
        <source>simulated boxes</source>
        <translation>boîtiers simulés</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Closes the window; the program goes on in the tray</source>
        <translation>Ferme la fenêtre ; le programme continue dans la zone de notification</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Language, updates, password, phone access, kind of fans</source>
        <translation>Langue, mises à jour, mot de passe, accès téléphone, type de ventilateurs</translation>
    </message>
    <message>
        <source>Earlier boxes</source>
        <translation>Boîtiers précédents</translation>
    </message>
    <message>
        <source>Later boxes</source>
        <translation>Boîtiers suivants</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>Profil %1</translation>
    </message>
    <message>
        <source>Keeps the settings shown in the current profile</source>
        <translation>Enregistre les réglages affichés dans le profil actuel</translation>
    </message>
    <message>
        <source>Shows what the temperature sensors read</source>
        <translation>Affiche les relevés des capteurs de température</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>Nouveau mot de passe</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Valider</translation>
    </message>
    <message>
        <source>Keeps the four digits as the new password</source>
        <translation>Garde ces quatre chiffres comme nouveau mot de passe</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Removes the last digit</source>
        <translation>Efface le dernier chiffre</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>Not answering</source>
        <translation>Ne répond pas</translation>
    </message>
    <message>
        <source>A fan stopped</source>
        <translation>Un ventilateur est arrêté</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>Boîtier %1</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>Graphiques</translation>
    </message>
    <message>
        <source>Menu key or right click: copy the settings shown into this profile</source>
        <translation>Touche menu ou clic droit : copier les réglages affichés dans ce profil</translation>
    </message>
    <message>
        <source>Copy the settings shown to PROFILE%1</source>
        <translation>Copier les réglages affichés dans PROFIL%1</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Modifications non enregistrées</translation>
    </message>
    <message>
        <source>PROFILE%1 has changes that are not saved. Save them before PROFILE%2 is loaded?</source>
        <translation>PROFIL%1 a des modifications non enregistrées. Les enregistrer avant de charger PROFIL%2 ?</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>Courbes</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>À tous</translation>
    </message>
    <message>
        <source>All fans of this box</source>
        <translation>Tous les ventilateurs de ce boîtier</translation>
    </message>
    <message>
        <source>All fans of every box</source>
        <translation>Tous les ventilateurs de chaque boîtier</translation>
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
        <translation>Vali­der</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Dé­faut</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Cou­leur</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>An­nuler</translation>
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
    <message>
        <source>No sound heard: music needs a sound server</source>
        <translation>Aucun son : la musique demande un serveur de son</translation>
    </message>
    <message>
        <source>Opens the panel of a fan that is switched off</source>
        <translation>Ouvre le panneau d’un ventilateur éteint</translation>
    </message>
    <message>
        <source>%1 on or off</source>
        <translation>%1 marche/arrêt</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>Éteint, le panneau est fermé et l’arrêt du ventilateur n’est plus surveillé</translation>
    </message>
    <message>
        <source>LED %1</source>
        <translation>LED %1</translation>
    </message>
    <message>
        <source>Selected LEDs take the colour picked on the palette</source>
        <translation>Les LED choisies prennent la couleur prise sur la palette</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>Vitesse maximale</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>Vitesse minimale</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature, between 50 % and 100 %</source>
        <translation>La vitesse suit la température du processeur, entre 50 % et 100 %</translation>
    </message>
    <message>
        <source>Fan speed with PWM</source>
        <translation>Vitesse avec PWM</translation>
    </message>
    <message>
        <source>From 50 % to 100 %, while PWM is on</source>
        <translation>De 50 % à 100 %, quand le PWM est actif</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>Vitesse du ventilateur</translation>
    </message>
    <message>
        <source>From 0 % to 100 %, while PWM is off</source>
        <translation>De 0 % à 100 %, quand le PWM est coupé</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>Luminosité des LED</translation>
    </message>
    <message>
        <source>Previous light mode</source>
        <translation>Mode lumineux précédent</translation>
    </message>
    <message>
        <source>Next light mode</source>
        <translation>Mode lumineux suivant</translation>
    </message>
    <message>
        <source>Previous color mode</source>
        <translation>Mode de couleur précédent</translation>
    </message>
    <message>
        <source>Next color mode</source>
        <translation>Mode de couleur suivant</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Plus lent</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Plus rapide</translation>
    </message>
    <message>
        <source>Ends the selection of LEDs</source>
        <translation>Termine la sélection des LED</translation>
    </message>
    <message>
        <source>Puts back the default colours</source>
        <translation>Remet les couleurs par défaut</translation>
    </message>
    <message>
        <source>Type a colour as red, green and blue</source>
        <translation>Saisir une couleur en rouge, vert et bleu</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>LED éteintes</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>Éteint ou rallume les LED de ce ventilateur</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>0 to 255</source>
        <translation>0 à 255</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Gives the selected LEDs this colour</source>
        <translation>Donne cette couleur aux LED choisies</translation>
    </message>
    <message>
        <source>Closes without changing a colour</source>
        <translation>Ferme sans changer de couleur</translation>
    </message>
    <message>
        <source>Graphs of %1</source>
        <translation>Graphiques de %1</translation>
    </message>
    <message>
        <source>Temperature, duty and speed over time</source>
        <translation>Température, rapport cyclique et vitesse au fil du temps</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>À tous</translation>
    </message>
    <message>
        <source>Cap 50 %</source>
        <translation>Max 50 %</translation>
    </message>
    <message>
        <source>Cap 100 %</source>
        <translation>Max 100 %</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>À tous les ventilateurs</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s light mode, colours, light speed and fan speed</source>
        <translation>Donne à tous les ventilateurs du boîtier le mode d&apos;éclairage, les couleurs, la vitesse d&apos;éclairage et la vitesse de ce ventilateur</translation>
    </message>
    <message>
        <source>Cap %1 %</source>
        <translation>Max %1 %</translation>
    </message>
    <message>
        <source>No CPU temp.</source>
        <translation>Pas de temp. CPU</translation>
    </message>
    <message>
        <source>By CPU: %1 %</source>
        <translation>Selon CPU : %1 %</translation>
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
    <message>
        <source>The phone access setting in Device.ini could not be read: only this computer can reach the phone server until you choose again in the settings menu.</source>
        <translation>Le réglage d&apos;accès téléphone de Device.ini n&apos;a pas pu être lu : seul cet ordinateur peut joindre le serveur téléphone jusqu&apos;à ce que vous choisissiez à nouveau dans le menu des réglages.</translation>
    </message>
    <message>
        <source>Some settings in Device.ini could not be read and were set to their safe choice: %1.</source>
        <translation>Certains réglages de Device.ini n&apos;ont pas pu être lus et ont reçu leur valeur sûre : %1.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
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
    <name>Tray</name>
    <message>
        <source>Open Aurivent</source>
        <translation>Ouvrir Aurivent</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Start Aurivent at log-in</source>
        <translation>Lancer Aurivent à l&apos;ouverture de session</translation>
    </message>
    <message>
        <source>not with simulated boxes</source>
        <translation>pas avec des boîtiers simulés</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>Graphiques</translation>
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
    <message>
        <source>%1 on or off</source>
        <translation>%1 marche/arrêt</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>Éteint, le panneau est fermé et l’arrêt du ventilateur n’est plus surveillé</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>Vitesse maximale</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>Vitesse minimale</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature</source>
        <translation>La vitesse suit la température du processeur</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>Vitesse du ventilateur</translation>
    </message>
    <message>
        <source>RGB cycle</source>
        <translation>Cycle RGB</translation>
    </message>
    <message>
        <source>The colours cycle through the rainbow</source>
        <translation>Les couleurs parcourent l’arc-en-ciel</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>LED éteintes</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>Éteint ou rallume les LED de ce ventilateur</translation>
    </message>
    <message>
        <source>The colour blinks</source>
        <translation>La couleur clignote</translation>
    </message>
    <message>
        <source>Copy fan 1</source>
        <translation>Copier le ventilateur 1</translation>
    </message>
    <message>
        <source>Takes over the lighting of fan 1</source>
        <translation>Reprend l’éclairage du ventilateur 1</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>Luminosité des LED</translation>
    </message>
    <message>
        <source>Brightest at the left</source>
        <translation>Plus lumineux à gauche</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>À tous</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>À tous les ventilateurs</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s colour, lighting, brightness and fan speed</source>
        <translation>Donne à chaque ventilateur de ce boîtier la couleur, l&apos;éclairage, la luminosité et la vitesse de ce ventilateur</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Aurivent already runs in the background without a window (the aurivent service) and drives the fans. Only one Aurivent can drive them at a time. To use the window, stop the service first:
systemctl --user stop aurivent.service</source>
        <translation>Aurivent fonctionne déjà en arrière-plan sans fenêtre (le service aurivent) et pilote les ventilateurs. Un seul Aurivent peut les piloter à la fois. Pour utiliser la fenêtre, arrêtez d&apos;abord le service :
systemctl --user stop aurivent.service</translation>
    </message>
</context>
</TS>
