<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH">
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
</context>
<context>
    <name>MainView</name>
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
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <source>開啟檔案</source>
        <translation>เปิดไฟล์</translation>
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
</context>
</TS>
