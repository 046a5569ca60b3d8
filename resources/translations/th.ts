<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH">
<context>
    <name>AlertText</name>
    <message>
        <source>Fan stopped</source>
        <translation>พัดลมหยุดหมุน</translation>
    </message>
    <message>
        <source>Fan turns again</source>
        <translation>พัดลมหมุนอีกครั้ง</translation>
    </message>
    <message>
        <source>Controller not answering</source>
        <translation>ตัวควบคุมไม่ตอบสนอง</translation>
    </message>
    <message>
        <source>Controller answers again</source>
        <translation>ตัวควบคุมตอบสนองอีกครั้ง</translation>
    </message>
    <message>
        <source>Temperature reading lost</source>
        <translation>อ่านค่าอุณหภูมิไม่ได้</translation>
    </message>
    <message>
        <source>Temperature reading back</source>
        <translation>อ่านค่าอุณหภูมิได้อีกครั้ง</translation>
    </message>
    <message>
        <source>Temperature high</source>
        <translation>อุณหภูมิสูง</translation>
    </message>
    <message>
        <source>Temperature normal again</source>
        <translation>อุณหภูมิกลับเป็นปกติ</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>บันทึกไม่สำเร็จ</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>บันทึกการตั้งค่าแล้ว</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 has stopped.</source>
        <translation>พัดลม %1 ของตัวควบคุม %2 หยุดหมุน</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 turns again.</source>
        <translation>พัดลม %1 ของตัวควบคุม %2 หมุนอีกครั้ง</translation>
    </message>
    <message>
        <source>Controller %1 answers again.</source>
        <translation>ตัวควบคุม %1 ตอบสนองอีกครั้ง</translation>
    </message>
    <message>
        <source>Controller %1 is gone: its fans are not watched.</source>
        <translation>ตัวควบคุม %1 ถูกถอดออก: ไม่ได้เฝ้าดูพัดลมของตัวควบคุมนี้</translation>
    </message>
    <message>
        <source>Controller %1 does not answer: its fans are not watched.</source>
        <translation>ตัวควบคุม %1 ไม่ตอบสนอง: ไม่ได้เฝ้าดูพัดลมของตัวควบคุมนี้</translation>
    </message>
    <message>
        <source>No reading from %1.</source>
        <translation>อ่านค่าจาก %1 ไม่ได้</translation>
    </message>
    <message>
        <source>%1 reads again.</source>
        <translation>%1 อ่านค่าได้อีกครั้ง</translation>
    </message>
    <message>
        <source>%1 has been above %2 °C for %3 s (%4 °C).</source>
        <translation>%1 สูงกว่า %2 °C มาแล้ว %3 วินาที (%4 °C)</translation>
    </message>
    <message>
        <source>%1 is at or under %2 °C again.</source>
        <translation>%1 กลับมาอยู่ที่ %2 °C หรือต่ำกว่าแล้ว</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>เขียนการตั้งค่าลงใน %1 ไม่ได้</translation>
    </message>
    <message>
        <source>%1 was written again.</source>
        <translation>เขียน %1 ได้อีกครั้ง</translation>
    </message>
    <message>
        <source>Open Aurivent</source>
        <translation>เปิด Aurivent</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>คำเตือน</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Controller No. %1</source>
        <translation>ตัวควบคุมหมายเลข %1</translation>
    </message>
    <message>
        <source>FAN %1</source>
        <translation>พัดลม %1</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>หยุดหมุน: %1</translation>
    </message>
    <message>
        <source>Not answering: its fans are not watched</source>
        <translation>ไม่ตอบสนอง: ไม่ได้เฝ้าดูพัดลม</translation>
    </message>
    <message>
        <source>FAN 4, 5 give no speed. A box of three single-colour fans?</source>
        <translation>พัดลม 4, 5 ไม่มีความเร็ว เป็นกล่องพัดลมสีเดียวสามตัวหรือไม่?</translation>
    </message>
    <message>
        <source>Set it under Settings (gear) &gt; %1</source>
        <translation>ตั้งค่าได้ที่ การตั้งค่า (ฟันเฟือง) &gt; %1</translation>
    </message>
</context>
<context>
    <name>Aurivent</name>
    <message>
        <source>Update Note:</source>
        <translation>ข้อมูลการอัปเดต:</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>ที่อยู่ IP</translation>
    </message>
    <message>
        <source>No sensor information: the sensor plug-in is not loaded.</source>
        <translation>ไม่มีข้อมูลเซ็นเซอร์: ยังไม่ได้โหลดปลั๊กอินเซ็นเซอร์</translation>
    </message>
    <message>
        <source>Phone server off</source>
        <translation>เซิร์ฟเวอร์มือถือปิดอยู่</translation>
    </message>
    <message>
        <source>Phone server: this computer only</source>
        <translation>เซิร์ฟเวอร์มือถือ: เฉพาะเครื่องนี้</translation>
    </message>
    <message>
        <source>No CPU temperature</source>
        <translation>ไม่มีอุณหภูมิ CPU</translation>
    </message>
    <message>
        <source>Fans that follow the CPU temperature now run at their highest allowed speed until it can be read again.</source>
        <translation>พัดลมที่ทำงานตามอุณหภูมิ CPU จะหมุนที่ความเร็วสูงสุดที่อนุญาตจนกว่าจะอ่านอุณหภูมิได้อีกครั้ง</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ไม่มี</translation>
    </message>
    <message>
        <source>No sensor chips found.</source>
        <translation>ไม่พบชิปเซ็นเซอร์</translation>
    </message>
    <message>
        <source>No temperature from %1</source>
        <translation>ไม่มีอุณหภูมิจาก %1</translation>
    </message>
</context>
<context>
    <name>CurveController</name>
    <message>
        <source>fans on %1 run at their highest allowed speed</source>
        <translation>พัดลมที่ใช้ %1 หมุนด้วยความเร็วสูงสุดที่อนุญาต</translation>
    </message>
    <message>
        <source>%1 go on with their other sources</source>
        <translation>%1 ทำงานต่อด้วยแหล่งที่เหลือ</translation>
    </message>
</context>
<context>
    <name>CurveEdit</name>
    <message>
        <source>The curve needs a name.</source>
        <translation>เส้นโค้งต้องมีชื่อ</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of a preset.</source>
        <translation>&quot;%1&quot; เป็นชื่อของค่าที่ตั้งไว้ล่วงหน้า</translation>
    </message>
    <message>
        <source>Another curve is named &quot;%1&quot;.</source>
        <translation>มีเส้นโค้งอื่นชื่อ &quot;%1&quot; แล้ว</translation>
    </message>
    <message>
        <source>A curve has %1 to %2 points, not %3.</source>
        <translation>เส้นโค้งมี %1 ถึง %2 จุด ไม่ใช่ %3 จุด</translation>
    </message>
    <message>
        <source>Point %1 must be warmer than point %2.</source>
        <translation>จุด %1 ต้องร้อนกว่าจุด %2</translation>
    </message>
    <message>
        <source>Point %1 must not run slower than point %2.</source>
        <translation>จุด %1 ต้องไม่หมุนช้ากว่าจุด %2</translation>
    </message>
    <message>
        <source>Choose at least one temperature source.</source>
        <translation>เลือกแหล่งอุณหภูมิอย่างน้อยหนึ่งแหล่ง</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>ไม่ได้บันทึก: %1</translation>
    </message>
</context>
<context>
    <name>CurveEditor</name>
    <message>
        <source>Not saved: %1</source>
        <translation>ไม่ได้บันทึก: %1</translation>
    </message>
    <message>
        <source>The curves file could not be written.</source>
        <translation>ไม่สามารถเขียนไฟล์เส้นโค้งได้</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>บันทึกแล้ว</translation>
    </message>
    <message>
        <source>Now: %1 °C, %2 %</source>
        <translation>ขณะนี้: %1 °C, %2 %</translation>
    </message>
    <message>
        <source>Now: no reading of this curve&apos;s sources</source>
        <translation>ขณะนี้: ไม่มีค่าจากแหล่งของเส้นโค้งนี้</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>เส้นโค้งพัดลม</translation>
    </message>
    <message>
        <source>&amp;Curve</source>
        <translation>เส้นโค้ง(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>ชื่อ(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Sources</source>
        <translation>แหล่ง(&amp;S)</translation>
    </message>
    <message>
        <source>Mi&amp;x</source>
        <translation>ผสม(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Hysteresis (°C)</source>
        <translation>ฮิสเทอรีซิส(&amp;H) (°C)</translation>
    </message>
    <message>
        <source>Step &amp;up (%/s)</source>
        <translation>อัตราเพิ่ม(&amp;U) (%/s)</translation>
    </message>
    <message>
        <source>Step &amp;down (%/s)</source>
        <translation>อัตราลด(&amp;D) (%/s)</translation>
    </message>
    <message>
        <source>Mi&amp;nimum duty (%)</source>
        <translation>รอบต่ำสุด(&amp;N) (%)</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Duty %</source>
        <translation>รอบ %</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>จุด</translation>
    </message>
    <message>
        <source>The curve&apos;s points: temperature and duty, 2 to 8 of them, warmer downwards</source>
        <translation>จุดของเส้นโค้ง: อุณหภูมิและรอบ 2 ถึง 8 จุด ยิ่งล่างยิ่งร้อน</translation>
    </message>
    <message>
        <source>Curve graph</source>
        <translation>กราฟเส้นโค้ง</translation>
    </message>
    <message>
        <source>Drag a point to move it; the orange ring is where the fan is now</source>
        <translation>ลากจุดเพื่อย้าย วงกลมสีส้มคือตำแหน่งปัจจุบันของพัดลม</translation>
    </message>
    <message>
        <source>A falling temperature must drop this far before the fan slows down</source>
        <translation>อุณหภูมิต้องลดลงเท่านี้ก่อนพัดลมจะหมุนช้าลง</translation>
    </message>
    <message>
        <source>How fast the duty may rise; 0 = at once</source>
        <translation>ความเร็วที่รอบเพิ่มได้ 0 = ทันที</translation>
    </message>
    <message>
        <source>How fast the duty may fall; 0 = at once</source>
        <translation>ความเร็วที่รอบลดได้ 0 = ทันที</translation>
    </message>
    <message>
        <source>The fan never runs slower than this</source>
        <translation>พัดลมจะไม่หมุนช้ากว่านี้</translation>
    </message>
    <message>
        <source>The temperatures the curve follows; several make a mix</source>
        <translation>อุณหภูมิที่เส้นโค้งใช้ เลือกหลายแหล่งเพื่อผสม</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>สูงสุด</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>ค่าเฉลี่ย</translation>
    </message>
    <message>
        <source>Add point</source>
        <translation>เพิ่มจุด</translation>
    </message>
    <message>
        <source>Remove point</source>
        <translation>ลบจุด</translation>
    </message>
    <message>
        <source>Copy to a new curve</source>
        <translation>คัดลอกเป็นเส้นโค้งใหม่</translation>
    </message>
    <message>
        <source>Presets cannot be changed: edit a copy</source>
        <translation>ค่าที่ตั้งไว้ล่วงหน้าแก้ไขไม่ได้ ให้แก้ไขสำเนา</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
</context>
<context>
    <name>CurveSelector</name>
    <message>
        <source>Fan %1 follows &quot;%2&quot; on %3.</source>
        <translation>พัดลม %1 ใช้ &quot;%2&quot; ตาม %3</translation>
    </message>
    <message>
        <source>Follows %1</source>
        <translation>ตาม %1</translation>
    </message>
    <message>
        <source>Fan curve</source>
        <translation>เส้นโค้งพัดลม</translation>
    </message>
    <message>
        <source>Curves</source>
        <translation>เส้นโค้ง</translation>
    </message>
    <message>
        <source>The curve this fan&apos;s speed follows while PWM is on</source>
        <translation>เส้นโค้งที่ความเร็วพัดลมนี้ใช้เมื่อเปิด PWM</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>ใช้</translation>
    </message>
    <message>
        <source>This fan follows the chosen curve</source>
        <translation>พัดลมนี้ใช้เส้นโค้งที่เลือก</translation>
    </message>
    <message>
        <source>Edit curves…</source>
        <translation>แก้ไขเส้นโค้ง…</translation>
    </message>
    <message>
        <source>Opens the curve editor</source>
        <translation>เปิดตัวแก้ไขเส้นโค้ง</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
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
        <translation>ค่าเฉลี่ยของ %1</translation>
    </message>
    <message>
        <source>highest of %1</source>
        <translation>ค่าสูงสุดของ %1</translation>
    </message>
    <message>
        <source>%1 (preset)</source>
        <translation>%1 (ค่าที่ตั้งไว้)</translation>
    </message>
</context>
<context>
    <name>GraphText</name>
    <message>
        <source>time (UTC)</source>
        <translation>เวลา (UTC)</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 ต่ำสุด</translation>
    </message>
    <message>
        <source>%1 mean</source>
        <translation>%1 เฉลี่ย</translation>
    </message>
    <message>
        <source>%1 max</source>
        <translation>%1 สูงสุด</translation>
    </message>
    <message>
        <source>alerts</source>
        <translation>การแจ้งเตือน</translation>
    </message>
    <message>
        <source>%1 (°C)</source>
        <translation>%1 (°C)</translation>
    </message>
    <message>
        <source>%1 duty (%)</source>
        <translation>%1 ดิวตี้ (%)</translation>
    </message>
    <message>
        <source>%1 (RPM)</source>
        <translation>%1 (RPM)</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>กล่อง %1</translation>
    </message>
    <message>
        <source>Fan %1</source>
        <translation>พัดลม %1</translation>
    </message>
    <message>
        <source>Box %1 fan %2</source>
        <translation>กล่อง %1 พัดลม %2</translation>
    </message>
    <message>
        <source>Every fan</source>
        <translation>พัดลมทั้งหมด</translation>
    </message>
</context>
<context>
    <name>GraphsWindow</name>
    <message>
        <source>Aurivent — graphs</source>
        <translation>Aurivent — กราฟ</translation>
    </message>
    <message>
        <source>5 min</source>
        <translation>5 นาที</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 ชม.</translation>
    </message>
    <message>
        <source>24 h</source>
        <translation>24 ชม.</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>ส่งออก CSV…</translation>
    </message>
    <message>
        <source>Temperature (°C)</source>
        <translation>อุณหภูมิ (°C)</translation>
    </message>
    <message>
        <source>Duty (%)</source>
        <translation>ดิวตี้ (%)</translation>
    </message>
    <message>
        <source>Speed (RPM)</source>
        <translation>ความเร็ว (RPM)</translation>
    </message>
    <message>
        <source>No alerts in this time.</source>
        <translation>ไม่มีการแจ้งเตือนในช่วงเวลานี้</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>แจ้งเตือน</translation>
    </message>
    <message>
        <source>Alert ended</source>
        <translation>สิ้นสุดการแจ้งเตือน</translation>
    </message>
    <message>
        <source>Shaded: %1 did not answer</source>
        <translation>ส่วนที่แรเงา: %1 ไม่ตอบสนอง</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>ส่งออกเป็น CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>ไฟล์ CSV (*.csv)</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>เขียนไฟล์ไม่ได้: %1</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Sensors</source>
        <translation>เซ็นเซอร์</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>อุณหภูมิ</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>แรงดันไฟฟ้า</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>พัดลม</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>กระแสไฟฟ้า</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>กำลังไฟฟ้า</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>สัญญาณนาฬิกา</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>การใช้งาน</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>none</source>
        <translation>ไม่มี</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>ที่อยู่ IP</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>อุณหภูมิ</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>โปรไฟล์</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>รหัสผ่าน</translation>
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
        <translation>พัดลมของกล่องนี้:</translation>
    </message>
    <message>
        <source>12-LED fans</source>
        <translation>พัดลม 12 LED</translation>
    </message>
    <message>
        <source>single-colour fans</source>
        <translation>พัดลมสีเดียว</translation>
    </message>
    <message>
        <source>No controller box found</source>
        <translation>ไม่พบกล่องควบคุม</translation>
    </message>
    <message>
        <source>Connect a box by USB. It is found as soon as it is plugged in.</source>
        <translation>เชื่อมต่อกล่องผ่าน USB ระบบจะพบกล่องทันทีที่เสียบ</translation>
    </message>
    <message>
        <source>On Linux, using a box needs the udev rule 70-aurivent.rules (see the README, &quot;Real boxes&quot;); plug the box in again after installing it.</source>
        <translation>บน Linux การใช้กล่องต้องมีกฎ udev 70-aurivent.rules (ดู README หัวข้อ &quot;Real boxes&quot;) ติดตั้งแล้วให้เสียบกล่องใหม่อีกครั้ง</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>บันทึกแล้ว</translation>
    </message>
    <message>
        <source>Phone access</source>
        <translation>การเข้าถึงจากมือถือ</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>This computer only</source>
        <translation>เฉพาะเครื่องนี้</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>เครือข่าย</translation>
    </message>
    <message>
        <source>The phone app asks for this password before it sends commands. It is not a lock: the program hands it to every device that connects to port 5489. To keep others on the network away from the fans, set Phone access to &quot;This computer only&quot; or &quot;Off&quot;, or block port 5489 in the firewall.</source>
        <translation>แอปมือถือจะถามรหัสผ่านนี้ก่อนส่งคำสั่ง รหัสผ่านนี้ไม่ใช่กุญแจ: โปรแกรมจะส่งรหัสผ่านให้ทุกอุปกรณ์ที่เชื่อมต่อกับพอร์ต 5489 หากไม่ต้องการให้ผู้อื่นในเครือข่ายควบคุมพัดลม ให้ตั้ง &quot;การเข้าถึงจากมือถือ&quot; เป็น &quot;เฉพาะเครื่องนี้&quot; หรือ &quot;ปิด&quot; หรือบล็อกพอร์ต 5489 ในไฟร์วอลล์</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>ข้อมูล</translation>
    </message>
    <message>
        <source>simulated boxes</source>
        <translation>กล่องจำลอง</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Closes the window; the program goes on in the tray</source>
        <translation>ปิดหน้าต่าง โปรแกรมยังทำงานต่อในถาดระบบ</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>ย่อหน้าต่าง</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>การตั้งค่า</translation>
    </message>
    <message>
        <source>Language, updates, password, phone access, kind of fans</source>
        <translation>ภาษา การอัปเดต รหัสผ่าน การเข้าถึงจากโทรศัพท์ ชนิดพัดลม</translation>
    </message>
    <message>
        <source>Earlier boxes</source>
        <translation>กล่องก่อนหน้า</translation>
    </message>
    <message>
        <source>Later boxes</source>
        <translation>กล่องถัดไป</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>โปรไฟล์ %1</translation>
    </message>
    <message>
        <source>Keeps the settings shown in the current profile</source>
        <translation>บันทึกการตั้งค่าที่แสดงลงในโปรไฟล์ปัจจุบัน</translation>
    </message>
    <message>
        <source>Shows what the temperature sensors read</source>
        <translation>แสดงค่าที่เซ็นเซอร์อุณหภูมิอ่านได้</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>รหัสผ่านใหม่</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>ยืนยัน</translation>
    </message>
    <message>
        <source>Keeps the four digits as the new password</source>
        <translation>ใช้ตัวเลขสี่หลักนี้เป็นรหัสผ่านใหม่</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Removes the last digit</source>
        <translation>ลบตัวเลขตัวสุดท้าย</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>ไม่ได้เชื่อมต่อ</translation>
    </message>
    <message>
        <source>Not answering</source>
        <translation>ไม่ตอบสนอง</translation>
    </message>
    <message>
        <source>A fan stopped</source>
        <translation>มีพัดลมหยุดหมุน</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>เชื่อมต่อแล้ว</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>กล่อง %1</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>กราฟ</translation>
    </message>
    <message>
        <source>Menu key or right click: copy the settings shown into this profile</source>
        <translation>ปุ่มเมนูหรือคลิกขวา: คัดลอกการตั้งค่าที่แสดงลงในโปรไฟล์นี้</translation>
    </message>
    <message>
        <source>Copy the settings shown to PROFILE%1</source>
        <translation>คัดลอกการตั้งค่าที่แสดงไปยังโปรไฟล์%1</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>การเปลี่ยนแปลงที่ยังไม่บันทึก</translation>
    </message>
    <message>
        <source>PROFILE%1 has changes that are not saved. Save them before PROFILE%2 is loaded?</source>
        <translation>โปรไฟล์%1 มีการเปลี่ยนแปลงที่ยังไม่บันทึก บันทึกก่อนโหลดโปรไฟล์%2 หรือไม่?</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>ทิ้ง</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>เส้นโค้งพัดลม</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>ทุกตัว</translation>
    </message>
    <message>
        <source>All fans of this box</source>
        <translation>พัดลมทุกตัวของกล่องนี้</translation>
    </message>
    <message>
        <source>All fans of every box</source>
        <translation>พัดลมทุกตัวของทุกกล่อง</translation>
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
        <translation>สีเดียว</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>งูเลื้อย</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>วนรอบ</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>เรดาร์</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>กะพริบ</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>หายใจ</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>หมุนวน</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>แสงคงที่</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>คัดลอก</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>เพลง 1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>เพลง 2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>เพลง 3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>มือถือ 1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>มือถือ 2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>มือถือ 3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>อุณหภูมิ</translation>
    </message>
    <message>
        <source>So Fast</source>
        <translation>เร็วมาก</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>เร็ว</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>ปกติ</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>ช้า</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>พัดลม</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>โหมดไฟ</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>โหมดสี</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>ความเร็วไฟ</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>สมรรถนะ</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>เงียบ</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>เสร็จ</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>คืนค่า</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>สี</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>ความสว่าง LED</translation>
    </message>
    <message>
        <source>RGB Color Code</source>
        <translation>รหัสสี RGB</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>สมรรถนะ</translation>
    </message>
    <message>
        <source>No sound heard: music needs a sound server</source>
        <translation>ไม่ได้ยินเสียง: โหมดเพลงต้องใช้เซิร์ฟเวอร์เสียง</translation>
    </message>
    <message>
        <source>Opens the panel of a fan that is switched off</source>
        <translation>เปิดแผงของพัดลมที่ปิดอยู่</translation>
    </message>
    <message>
        <source>%1 on or off</source>
        <translation>%1 เปิดหรือปิด</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>เมื่อปิด แผงจะปิดลงและไม่เฝ้าดูว่าพัดลมหยุดหรือไม่</translation>
    </message>
    <message>
        <source>LED %1</source>
        <translation>LED %1</translation>
    </message>
    <message>
        <source>Selected LEDs take the colour picked on the palette</source>
        <translation>LED ที่เลือกจะใช้สีที่เลือกจากจานสี</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>พัดลมความเร็วสูงสุด</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>พัดลมความเร็วต่ำสุด</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature, between 50 % and 100 %</source>
        <translation>ความเร็วพัดลมเปลี่ยนตามอุณหภูมิ CPU ระหว่าง 50 % ถึง 100 %</translation>
    </message>
    <message>
        <source>Fan speed with PWM</source>
        <translation>ความเร็วพัดลมแบบ PWM</translation>
    </message>
    <message>
        <source>From 50 % to 100 %, while PWM is on</source>
        <translation>ตั้งแต่ 50 % ถึง 100 % ขณะเปิด PWM</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>ความเร็วพัดลม</translation>
    </message>
    <message>
        <source>From 0 % to 100 %, while PWM is off</source>
        <translation>ตั้งแต่ 0 % ถึง 100 % ขณะปิด PWM</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>ความสว่าง LED</translation>
    </message>
    <message>
        <source>Previous light mode</source>
        <translation>โหมดไฟก่อนหน้า</translation>
    </message>
    <message>
        <source>Next light mode</source>
        <translation>โหมดไฟถัดไป</translation>
    </message>
    <message>
        <source>Previous color mode</source>
        <translation>โหมดสีก่อนหน้า</translation>
    </message>
    <message>
        <source>Next color mode</source>
        <translation>โหมดสีถัดไป</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>ช้าลง</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>เร็วขึ้น</translation>
    </message>
    <message>
        <source>Ends the selection of LEDs</source>
        <translation>จบการเลือก LED</translation>
    </message>
    <message>
        <source>Puts back the default colours</source>
        <translation>คืนค่าสีเริ่มต้น</translation>
    </message>
    <message>
        <source>Type a colour as red, green and blue</source>
        <translation>ป้อนสีเป็นค่าแดง เขียว และน้ำเงิน</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>ปิด LED</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>ปิดหรือเปิด LED ของพัดลมนี้อีกครั้ง</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>แดง</translation>
    </message>
    <message>
        <source>0 to 255</source>
        <translation>0 ถึง 255</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>เขียว</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>น้ำเงิน</translation>
    </message>
    <message>
        <source>Gives the selected LEDs this colour</source>
        <translation>ใช้สีนี้กับ LED ที่เลือก</translation>
    </message>
    <message>
        <source>Closes without changing a colour</source>
        <translation>ปิดโดยไม่เปลี่ยนสี</translation>
    </message>
    <message>
        <source>Graphs of %1</source>
        <translation>กราฟของ %1</translation>
    </message>
    <message>
        <source>Temperature, duty and speed over time</source>
        <translation>อุณหภูมิ ดิวตี้ และความเร็วตามเวลา</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>ทุกตัว</translation>
    </message>
    <message>
        <source>Cap 50 %</source>
        <translation>สูงสุด 50 %</translation>
    </message>
    <message>
        <source>Cap 100 %</source>
        <translation>สูงสุด 100 %</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>ใช้กับพัดลมทุกตัว</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s light mode, colours, light speed and fan speed</source>
        <translation>ให้พัดลมทุกตัวของกล่องนี้ใช้โหมดไฟ สี ความเร็วไฟ และความเร็วพัดลมของพัดลมตัวนี้</translation>
    </message>
    <message>
        <source>Cap %1 %</source>
        <translation>สูงสุด %1 %</translation>
    </message>
    <message>
        <source>No CPU temp.</source>
        <translation>ไม่มีอุณหภูมิ CPU</translation>
    </message>
    <message>
        <source>By CPU: %1 %</source>
        <translation>ตาม CPU: %1 %</translation>
    </message>
</context>
<context>
    <name>SaveFailureNotice</name>
    <message>
        <source>Save failed</source>
        <translation>บันทึกไม่สำเร็จ</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>ไม่สามารถบันทึกการตั้งค่าลงใน %1 ได้</translation>
    </message>
    <message>
        <source>The phone access setting in Device.ini could not be read: only this computer can reach the phone server until you choose again in the settings menu.</source>
        <translation>อ่านการตั้งค่าการเข้าถึงจากโทรศัพท์ใน Device.ini ไม่ได้: จนกว่าคุณจะเลือกใหม่ในเมนูการตั้งค่า เฉพาะคอมพิวเตอร์เครื่องนี้เท่านั้นที่เข้าถึงเซิร์ฟเวอร์โทรศัพท์ได้</translation>
    </message>
    <message>
        <source>Some settings in Device.ini could not be read and were set to their safe choice: %1.</source>
        <translation>อ่านการตั้งค่าบางอย่างใน Device.ini ไม่ได้ จึงตั้งเป็นค่าที่ปลอดภัย: %1</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>การตั้งค่า</translation>
    </message>
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <source>開啟檔案</source>
        <translation>เปิดไฟล์</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Open Aurivent</source>
        <translation>เปิด Aurivent</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>ออก</translation>
    </message>
    <message>
        <source>Start Aurivent at log-in</source>
        <translation>เริ่ม Aurivent เมื่อเข้าสู่ระบบ</translation>
    </message>
    <message>
        <source>not with simulated boxes</source>
        <translation>ใช้ไม่ได้กับกล่องจำลอง</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>กราฟ</translation>
    </message>
</context>
<context>
    <name>VaylaRGBFanView</name>
    <message>
        <source>FAN</source>
        <translation>พัดลม</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>โหมดพัดลม</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>สมรรถนะ</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>เงียบ</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>กะพริบ</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>สมรรถนะ</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>ความสว่าง LED</translation>
    </message>
    <message>
        <source>%1 on or off</source>
        <translation>%1 เปิดหรือปิด</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>เมื่อปิด แผงจะปิดลงและไม่เฝ้าดูว่าพัดลมหยุดหรือไม่</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>พัดลมความเร็วสูงสุด</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>พัดลมความเร็วต่ำสุด</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature</source>
        <translation>ความเร็วพัดลมเปลี่ยนตามอุณหภูมิ CPU</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>ความเร็วพัดลม</translation>
    </message>
    <message>
        <source>RGB cycle</source>
        <translation>วน RGB</translation>
    </message>
    <message>
        <source>The colours cycle through the rainbow</source>
        <translation>สีวนไปตามสีรุ้ง</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>ปิด LED</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>ปิดหรือเปิด LED ของพัดลมนี้อีกครั้ง</translation>
    </message>
    <message>
        <source>The colour blinks</source>
        <translation>สีกะพริบ</translation>
    </message>
    <message>
        <source>Copy fan 1</source>
        <translation>คัดลอกพัดลม 1</translation>
    </message>
    <message>
        <source>Takes over the lighting of fan 1</source>
        <translation>ใช้แสงไฟแบบเดียวกับพัดลม 1</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>ความสว่าง LED</translation>
    </message>
    <message>
        <source>Brightest at the left</source>
        <translation>ซ้ายสุดสว่างที่สุด</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>ทุกตัว</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>ใช้กับพัดลมทุกตัว</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s colour, lighting, brightness and fan speed</source>
        <translation>ใช้สี แสง ความสว่าง และความเร็วของพัดลมตัวนี้กับพัดลมทุกตัวของกล่องนี้</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Aurivent already runs in the background without a window (the aurivent service) and drives the fans. Only one Aurivent can drive them at a time. To use the window, stop the service first:
systemctl --user stop aurivent.service</source>
        <translation>Aurivent กำลังทำงานอยู่เบื้องหลังโดยไม่มีหน้าต่าง (บริการ aurivent) และควบคุมพัดลมอยู่ Aurivent ควบคุมพัดลมได้ครั้งละหนึ่งตัวเท่านั้น หากต้องการใช้หน้าต่าง ให้หยุดบริการก่อน:
systemctl --user stop aurivent.service</translation>
    </message>
</context>
</TS>
