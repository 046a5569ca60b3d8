<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Aurivent</name>
    <message>
        <source>Update Note:</source>
        <translation>更新說明：</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <source>No sensor information: the sensor plug-in is not loaded.</source>
        <translation>沒有感測器資訊：感測器外掛程式未載入。</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>溫度</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>設定檔</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
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
        <translation>單色</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>蛇形</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>循環</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>雷達</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>閃爍</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>呼吸</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>漩渦</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>恆亮</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>音樂 1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>音樂 2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>音樂 3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>手機 1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>手機 2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>手機 3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>溫度</translation>
    </message>
    <message>
        <source>So Fast</source>
        <translation>極快</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>慢</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>風扇</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>燈光模式</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>色彩模式</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>燈光速度</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>效能</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>顏色</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 亮度</translation>
    </message>
    <message>
        <source>RGB Color Code</source>
        <translation>RGB 色碼</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>效能</translation>
    </message>
</context>
<context>
    <name>SaveFailureNotice</name>
    <message>
        <source>Save failed</source>
        <translation>儲存失敗</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>無法將設定寫入 %1。</translation>
    </message>
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <source>開啟檔案</source>
        <translation>開啟檔案</translation>
    </message>
</context>
<context>
    <name>VaylaRGBFanView</name>
    <message>
        <source>FAN</source>
        <translation>風扇</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>風扇模式</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>效能</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>閃爍</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>效能</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 亮度</translation>
    </message>
</context>
</TS>
