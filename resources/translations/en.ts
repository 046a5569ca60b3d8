<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AlertText</name>
    <message>
        <source>Fan stopped</source>
        <translation>Fan stopped</translation>
    </message>
    <message>
        <source>Fan turns again</source>
        <translation>Fan turns again</translation>
    </message>
    <message>
        <source>Controller not answering</source>
        <translation>Controller not answering</translation>
    </message>
    <message>
        <source>Controller answers again</source>
        <translation>Controller answers again</translation>
    </message>
    <message>
        <source>Temperature reading lost</source>
        <translation>Temperature reading lost</translation>
    </message>
    <message>
        <source>Temperature reading back</source>
        <translation>Temperature reading back</translation>
    </message>
    <message>
        <source>Temperature high</source>
        <translation>Temperature high</translation>
    </message>
    <message>
        <source>Temperature normal again</source>
        <translation>Temperature normal again</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>Save failed</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>Settings saved</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 has stopped.</source>
        <translation>Fan %1 of controller %2 has stopped.</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 turns again.</source>
        <translation>Fan %1 of controller %2 turns again.</translation>
    </message>
    <message>
        <source>Controller %1 answers again.</source>
        <translation>Controller %1 answers again.</translation>
    </message>
    <message>
        <source>Controller %1 is gone: its fans are not watched.</source>
        <translation>Controller %1 is gone: its fans are not watched.</translation>
    </message>
    <message>
        <source>Controller %1 does not answer: its fans are not watched.</source>
        <translation>Controller %1 does not answer: its fans are not watched.</translation>
    </message>
    <message>
        <source>No reading from %1.</source>
        <translation>No reading from %1.</translation>
    </message>
    <message>
        <source>%1 reads again.</source>
        <translation>%1 reads again.</translation>
    </message>
    <message>
        <source>%1 has been above %2 °C for %3 s (%4 °C).</source>
        <translation>%1 has been above %2 °C for %3 s (%4 °C).</translation>
    </message>
    <message>
        <source>%1 is at or under %2 °C again.</source>
        <translation>%1 is at or under %2 °C again.</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>The settings could not be written to %1.</translation>
    </message>
    <message>
        <source>%1 was written again.</source>
        <translation>%1 was written again.</translation>
    </message>
    <message>
        <source>Open Aurivent</source>
        <translation>Open Aurivent</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Controller No. %1</source>
        <translation>Controller No. %1</translation>
    </message>
    <message>
        <source>FAN %1</source>
        <translation>FAN %1</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Stopped: %1</translation>
    </message>
    <message>
        <source>Not answering: its fans are not watched</source>
        <translation>Not answering: its fans are not watched</translation>
    </message>
    <message>
        <source>FAN 4, 5 give no speed. A box of three single-colour fans?</source>
        <translation>FAN 4, 5 give no speed. A box of three single-colour fans?</translation>
    </message>
    <message>
        <source>Set it under Settings (gear) &gt; %1</source>
        <translation>Set it under Settings (gear) &gt; %1</translation>
    </message>
</context>
<context>
    <name>Aurivent</name>
    <message>
        <source>Update Note:</source>
        <translation>Update Note:</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>No sensor information: the sensor plug-in is not loaded.</source>
        <translation>No sensor information: the sensor plug-in is not loaded.</translation>
    </message>
    <message>
        <source>Phone server off</source>
        <translation>Phone server off</translation>
    </message>
    <message>
        <source>Phone server: this computer only</source>
        <translation>Phone server: this computer only</translation>
    </message>
    <message>
        <source>No CPU temperature</source>
        <translation>No CPU temperature</translation>
    </message>
    <message>
        <source>Fans that follow the CPU temperature now run at their highest allowed speed until it can be read again.</source>
        <translation>Fans that follow the CPU temperature now run at their highest allowed speed until it can be read again.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>No sensor chips found.</source>
        <translation>No sensor chips found.</translation>
    </message>
    <message>
        <source>No temperature from %1</source>
        <translation>No temperature from %1</translation>
    </message>
</context>
<context>
    <name>CurveController</name>
    <message>
        <source>fans on %1 run at their highest allowed speed</source>
        <translation>fans on %1 run at their highest allowed speed</translation>
    </message>
    <message>
        <source>%1 go on with their other sources</source>
        <translation>%1 go on with their other sources</translation>
    </message>
</context>
<context>
    <name>CurveEdit</name>
    <message>
        <source>The curve needs a name.</source>
        <translation>The curve needs a name.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of a preset.</source>
        <translation>&quot;%1&quot; is the name of a preset.</translation>
    </message>
    <message>
        <source>Another curve is named &quot;%1&quot;.</source>
        <translation>Another curve is named &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>A curve has %1 to %2 points, not %3.</source>
        <translation>A curve has %1 to %2 points, not %3.</translation>
    </message>
    <message>
        <source>Point %1 must be warmer than point %2.</source>
        <translation>Point %1 must be warmer than point %2.</translation>
    </message>
    <message>
        <source>Point %1 must not run slower than point %2.</source>
        <translation>Point %1 must not run slower than point %2.</translation>
    </message>
    <message>
        <source>Choose at least one temperature source.</source>
        <translation>Choose at least one temperature source.</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Not saved: %1</translation>
    </message>
</context>
<context>
    <name>CurveEditor</name>
    <message>
        <source>Not saved: %1</source>
        <translation>Not saved: %1</translation>
    </message>
    <message>
        <source>The curves file could not be written.</source>
        <translation>The curves file could not be written.</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>Now: %1 °C, %2 %</source>
        <translation>Now: %1 °C, %2 %</translation>
    </message>
    <message>
        <source>Now: no reading of this curve&apos;s sources</source>
        <translation>Now: no reading of this curve&apos;s sources</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>Fan curves</translation>
    </message>
    <message>
        <source>&amp;Curve</source>
        <translation>&amp;Curve</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Sources</source>
        <translation>&amp;Sources</translation>
    </message>
    <message>
        <source>Mi&amp;x</source>
        <translation>Mi&amp;x</translation>
    </message>
    <message>
        <source>&amp;Hysteresis (°C)</source>
        <translation>&amp;Hysteresis (°C)</translation>
    </message>
    <message>
        <source>Step &amp;up (%/s)</source>
        <translation>Step &amp;up (%/s)</translation>
    </message>
    <message>
        <source>Step &amp;down (%/s)</source>
        <translation>Step &amp;down (%/s)</translation>
    </message>
    <message>
        <source>Mi&amp;nimum duty (%)</source>
        <translation>Mi&amp;nimum duty (%)</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Duty %</source>
        <translation>Duty %</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>The curve&apos;s points: temperature and duty, 2 to 8 of them, warmer downwards</source>
        <translation>The curve&apos;s points: temperature and duty, 2 to 8 of them, warmer downwards</translation>
    </message>
    <message>
        <source>Curve graph</source>
        <translation>Curve graph</translation>
    </message>
    <message>
        <source>Drag a point to move it; the orange ring is where the fan is now</source>
        <translation>Drag a point to move it; the orange ring is where the fan is now</translation>
    </message>
    <message>
        <source>A falling temperature must drop this far before the fan slows down</source>
        <translation>A falling temperature must drop this far before the fan slows down</translation>
    </message>
    <message>
        <source>How fast the duty may rise; 0 = at once</source>
        <translation>How fast the duty may rise; 0 = at once</translation>
    </message>
    <message>
        <source>How fast the duty may fall; 0 = at once</source>
        <translation>How fast the duty may fall; 0 = at once</translation>
    </message>
    <message>
        <source>The fan never runs slower than this</source>
        <translation>The fan never runs slower than this</translation>
    </message>
    <message>
        <source>The temperatures the curve follows; several make a mix</source>
        <translation>The temperatures the curve follows; several make a mix</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>Highest</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Add point</source>
        <translation>Add point</translation>
    </message>
    <message>
        <source>Remove point</source>
        <translation>Remove point</translation>
    </message>
    <message>
        <source>Copy to a new curve</source>
        <translation>Copy to a new curve</translation>
    </message>
    <message>
        <source>Presets cannot be changed: edit a copy</source>
        <translation>Presets cannot be changed: edit a copy</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CurveSelector</name>
    <message>
        <source>Fan %1 follows &quot;%2&quot; on %3.</source>
        <translation>Fan %1 follows &quot;%2&quot; on %3.</translation>
    </message>
    <message>
        <source>Follows %1</source>
        <translation>Follows %1</translation>
    </message>
    <message>
        <source>Fan curve</source>
        <translation>Fan curve</translation>
    </message>
    <message>
        <source>Curves</source>
        <translation>Curves</translation>
    </message>
    <message>
        <source>The curve this fan&apos;s speed follows while PWM is on</source>
        <translation>The curve this fan&apos;s speed follows while PWM is on</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>This fan follows the chosen curve</source>
        <translation>This fan follows the chosen curve</translation>
    </message>
    <message>
        <source>Edit curves…</source>
        <translation>Edit curves…</translation>
    </message>
    <message>
        <source>Opens the curve editor</source>
        <translation>Opens the curve editor</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
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
        <translation>average of %1</translation>
    </message>
    <message>
        <source>highest of %1</source>
        <translation>highest of %1</translation>
    </message>
    <message>
        <source>%1 (preset)</source>
        <translation>%1 (preset)</translation>
    </message>
</context>
<context>
    <name>GraphText</name>
    <message>
        <source>time (UTC)</source>
        <translation>time (UTC)</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 mean</source>
        <translation>%1 mean</translation>
    </message>
    <message>
        <source>%1 max</source>
        <translation>%1 max</translation>
    </message>
    <message>
        <source>alerts</source>
        <translation>alerts</translation>
    </message>
    <message>
        <source>%1 (°C)</source>
        <translation>%1 (°C)</translation>
    </message>
    <message>
        <source>%1 duty (%)</source>
        <translation>%1 duty (%)</translation>
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
        <translation>Fan %1</translation>
    </message>
    <message>
        <source>Box %1 fan %2</source>
        <translation>Box %1 fan %2</translation>
    </message>
    <message>
        <source>Every fan</source>
        <translation>Every fan</translation>
    </message>
</context>
<context>
    <name>GraphsWindow</name>
    <message>
        <source>Aurivent — graphs</source>
        <translation>Aurivent — graphs</translation>
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
        <translation>Export CSV…</translation>
    </message>
    <message>
        <source>Temperature (°C)</source>
        <translation>Temperature (°C)</translation>
    </message>
    <message>
        <source>Duty (%)</source>
        <translation>Duty (%)</translation>
    </message>
    <message>
        <source>Speed (RPM)</source>
        <translation>Speed (RPM)</translation>
    </message>
    <message>
        <source>No alerts in this time.</source>
        <translation>No alerts in this time.</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>Alert</translation>
    </message>
    <message>
        <source>Alert ended</source>
        <translation>Alert ended</translation>
    </message>
    <message>
        <source>Shaded: %1 did not answer</source>
        <translation>Shaded: %1 did not answer</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>Export as CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>The file could not be written: %1</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Sensors</source>
        <translation>Sensors</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>Usage</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>TEMP</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>PROFILE</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SAVE</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
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
        <translation>Fans of this box:</translation>
    </message>
    <message>
        <source>12-LED fans</source>
        <translation>12-LED fans</translation>
    </message>
    <message>
        <source>single-colour fans</source>
        <translation>single-colour fans</translation>
    </message>
    <message>
        <source>No controller box found</source>
        <translation>No controller box found</translation>
    </message>
    <message>
        <source>Connect a box by USB. It is found as soon as it is plugged in.</source>
        <translation>Connect a box by USB. It is found as soon as it is plugged in.</translation>
    </message>
    <message>
        <source>On Linux, using a box needs the udev rule 70-aurivent.rules (see the README, &quot;Real boxes&quot;); plug the box in again after installing it.</source>
        <translation>On Linux, using a box needs the udev rule 70-aurivent.rules (see the README, &quot;Real boxes&quot;); plug the box in again after installing it.</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>Phone access</source>
        <translation>Phone access</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>This computer only</source>
        <translation>This computer only</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>The phone app asks for this password before it sends commands. It is not a lock: the program hands it to every device that connects to port 5489. To keep others on the network away from the fans, set Phone access to &quot;This computer only&quot; or &quot;Off&quot;, or block port 5489 in the firewall.</source>
        <translation>The phone app asks for this password before it sends commands. It is not a lock: the program hands it to every device that connects to port 5489. To keep others on the network away from the fans, set Phone access to &quot;This computer only&quot; or &quot;Off&quot;, or block port 5489 in the firewall.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>simulated boxes</source>
        <translation>simulated boxes</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Closes the window; the program goes on in the tray</source>
        <translation>Closes the window; the program goes on in the tray</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Language, updates, password, phone access, kind of fans</source>
        <translation>Language, updates, password, phone access, kind of fans</translation>
    </message>
    <message>
        <source>Earlier boxes</source>
        <translation>Earlier boxes</translation>
    </message>
    <message>
        <source>Later boxes</source>
        <translation>Later boxes</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>Profile %1</translation>
    </message>
    <message>
        <source>Keeps the settings shown in the current profile</source>
        <translation>Keeps the settings shown in the current profile</translation>
    </message>
    <message>
        <source>Shows what the temperature sensors read</source>
        <translation>Shows what the temperature sensors read</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>New password</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Keeps the four digits as the new password</source>
        <translation>Keeps the four digits as the new password</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Removes the last digit</source>
        <translation>Removes the last digit</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>Not answering</source>
        <translation>Not answering</translation>
    </message>
    <message>
        <source>A fan stopped</source>
        <translation>A fan stopped</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>Box %1</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>Graphs</translation>
    </message>
    <message>
        <source>Menu key or right click: copy the settings shown into this profile</source>
        <translation>Menu key or right click: copy the settings shown into this profile</translation>
    </message>
    <message>
        <source>Copy the settings shown to PROFILE%1</source>
        <translation>Copy the settings shown to PROFILE%1</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>PROFILE%1 has changes that are not saved. Save them before PROFILE%2 is loaded?</source>
        <translation>PROFILE%1 has changes that are not saved. Save them before PROFILE%2 is loaded?</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>Fan curves</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>To all</translation>
    </message>
    <message>
        <source>All fans of this box</source>
        <translation>All fans of this box</translation>
    </message>
    <message>
        <source>All fans of every box</source>
        <translation>All fans of every box</translation>
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
        <translation>Single</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>Snake</translation>
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
        <translation>Blink</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>Breath</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>Whirl</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>Music_1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>Music_2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>Music_3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>Mobile_1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>Mobile_2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>Mobile_3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>So Fast</source>
        <translation>So Fast</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>FAN</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Light Mode</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Color Mode</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>Light Speed</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Perfor-mance</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Silent</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>De­fault</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Can­cel</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED BRIGHTNESS</translation>
    </message>
    <message>
        <source>RGB Color Code</source>
        <translation>RGB Color Code</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>No sound heard: music needs a sound server</source>
        <translation>No sound heard: music needs a sound server</translation>
    </message>
    <message>
        <source>Opens the panel of a fan that is switched off</source>
        <translation>Opens the panel of a fan that is switched off</translation>
    </message>
    <message>
        <source>%1 on or off</source>
        <translation>%1 on or off</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>Switched off, the panel is closed and the fan is not watched for stops</translation>
    </message>
    <message>
        <source>LED %1</source>
        <translation>LED %1</translation>
    </message>
    <message>
        <source>Selected LEDs take the colour picked on the palette</source>
        <translation>Selected LEDs take the colour picked on the palette</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>Full fan speed</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>Lowest fan speed</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature, between 50 % and 100 %</source>
        <translation>The fan speed follows the CPU temperature, between 50 % and 100 %</translation>
    </message>
    <message>
        <source>Fan speed with PWM</source>
        <translation>Fan speed with PWM</translation>
    </message>
    <message>
        <source>From 50 % to 100 %, while PWM is on</source>
        <translation>From 50 % to 100 %, while PWM is on</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>Fan speed</translation>
    </message>
    <message>
        <source>From 0 % to 100 %, while PWM is off</source>
        <translation>From 0 % to 100 %, while PWM is off</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LED brightness</translation>
    </message>
    <message>
        <source>Previous light mode</source>
        <translation>Previous light mode</translation>
    </message>
    <message>
        <source>Next light mode</source>
        <translation>Next light mode</translation>
    </message>
    <message>
        <source>Previous color mode</source>
        <translation>Previous color mode</translation>
    </message>
    <message>
        <source>Next color mode</source>
        <translation>Next color mode</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Faster</translation>
    </message>
    <message>
        <source>Ends the selection of LEDs</source>
        <translation>Ends the selection of LEDs</translation>
    </message>
    <message>
        <source>Puts back the default colours</source>
        <translation>Puts back the default colours</translation>
    </message>
    <message>
        <source>Type a colour as red, green and blue</source>
        <translation>Type a colour as red, green and blue</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>LEDs off</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>Switches the LEDs of this fan off or on again</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>0 to 255</source>
        <translation>0 to 255</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Gives the selected LEDs this colour</source>
        <translation>Gives the selected LEDs this colour</translation>
    </message>
    <message>
        <source>Closes without changing a colour</source>
        <translation>Closes without changing a colour</translation>
    </message>
    <message>
        <source>Graphs of %1</source>
        <translation>Graphs of %1</translation>
    </message>
    <message>
        <source>Temperature, duty and speed over time</source>
        <translation>Temperature, duty and speed over time</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>To all</translation>
    </message>
    <message>
        <source>Cap 50 %</source>
        <translation>Cap 50 %</translation>
    </message>
    <message>
        <source>Cap 100 %</source>
        <translation>Cap 100 %</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>To all fans</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s light mode, colours, light speed and fan speed</source>
        <translation>Gives every fan of this box this fan&apos;s light mode, colours, light speed and fan speed</translation>
    </message>
    <message>
        <source>Cap %1 %</source>
        <translation>Cap %1 %</translation>
    </message>
    <message>
        <source>No CPU temp.</source>
        <translation>No CPU temp.</translation>
    </message>
    <message>
        <source>By CPU: %1 %</source>
        <translation>By CPU: %1 %</translation>
    </message>
</context>
<context>
    <name>SaveFailureNotice</name>
    <message>
        <source>Save failed</source>
        <translation>Save failed</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>The settings could not be written to %1.</translation>
    </message>
    <message>
        <source>The phone access setting in Device.ini could not be read: only this computer can reach the phone server until you choose again in the settings menu.</source>
        <translation>The phone access setting in Device.ini could not be read: only this computer can reach the phone server until you choose again in the settings menu.</translation>
    </message>
    <message>
        <source>Some settings in Device.ini could not be read and were set to their safe choice: %1.</source>
        <translation>Some settings in Device.ini could not be read and were set to their safe choice: %1.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <source>開啟檔案</source>
        <translation>Open File</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Open Aurivent</source>
        <translation>Open Aurivent</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Start Aurivent at log-in</source>
        <translation>Start Aurivent at log-in</translation>
    </message>
    <message>
        <source>not with simulated boxes</source>
        <translation>not with simulated boxes</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>Graphs</translation>
    </message>
</context>
<context>
    <name>VaylaRGBFanView</name>
    <message>
        <source>FAN</source>
        <translation>FAN</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>FAN MODE</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>Perfor-mance</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Silent</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>Blink</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED BRIGHTNESS</translation>
    </message>
    <message>
        <source>%1 on or off</source>
        <translation>%1 on or off</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>Switched off, the panel is closed and the fan is not watched for stops</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>Full fan speed</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>Lowest fan speed</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature</source>
        <translation>The fan speed follows the CPU temperature</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>Fan speed</translation>
    </message>
    <message>
        <source>RGB cycle</source>
        <translation>RGB cycle</translation>
    </message>
    <message>
        <source>The colours cycle through the rainbow</source>
        <translation>The colours cycle through the rainbow</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>LEDs off</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>Switches the LEDs of this fan off or on again</translation>
    </message>
    <message>
        <source>The colour blinks</source>
        <translation>The colour blinks</translation>
    </message>
    <message>
        <source>Copy fan 1</source>
        <translation>Copy fan 1</translation>
    </message>
    <message>
        <source>Takes over the lighting of fan 1</source>
        <translation>Takes over the lighting of fan 1</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LED brightness</translation>
    </message>
    <message>
        <source>Brightest at the left</source>
        <translation>Brightest at the left</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>To all</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>To all fans</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s colour, lighting, brightness and fan speed</source>
        <translation>Gives every fan of this box this fan&apos;s colour, lighting, brightness and fan speed</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Aurivent already runs in the background without a window (the aurivent service) and drives the fans. Only one Aurivent can drive them at a time. To use the window, stop the service first:
systemctl --user stop aurivent.service</source>
        <translation>Aurivent already runs in the background without a window (the aurivent service) and drives the fans. Only one Aurivent can drive them at a time. To use the window, stop the service first:
systemctl --user stop aurivent.service</translation>
    </message>
</context>
</TS>
