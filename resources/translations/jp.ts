<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Aurivent</name>
    <message>
        <source>Update Note:</source>
        <translation>更新のお知らせ：</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IPアドレス</translation>
    </message>
    <message>
        <source>No sensor information: the sensor plug-in is not loaded.</source>
        <translation>センサー情報がありません：センサープラグインが読み込まれていません。</translation>
    </message>
    <message>
        <source>No CPU temperature</source>
        <translation>CPU 温度がありません</translation>
    </message>
    <message>
        <source>Fans that follow the CPU temperature now run at their highest allowed speed until it can be read again.</source>
        <translation>CPU 温度に従うファンは、温度が再び読み取れるようになるまで、許可された最高速度で回転します。</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>IP Address</source>
        <translation>IPアドレス</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>プロファイル</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
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
        <translation>単色</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>スネーク</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>サイクル</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>レーダー</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>点滅</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>呼吸</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>渦巻き</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>点灯</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>音楽 1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>音楽 2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>音楽 3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>スマホ 1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>スマホ 2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>スマホ 3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>So Fast</source>
        <translation>超高速</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>高速</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>低速</translation>
    </message>
    <message>
        <source>FAN</source>
        <translation>ファン</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>ライトモード</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>カラーモード</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>エフェクト速度</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>高性能</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>初期値</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>カラー</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 輝度</translation>
    </message>
    <message>
        <source>RGB Color Code</source>
        <translation>RGBカラーコード</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>高性能</translation>
    </message>
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <source>開啟檔案</source>
        <translation>ファイルを開く</translation>
    </message>
</context>
<context>
    <name>VaylaRGBFanView</name>
    <message>
        <source>FAN</source>
        <translation>ファン</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>ファンモード</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>高性能</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>点滅</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>高性能</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 輝度</translation>
    </message>
</context>
</TS>
