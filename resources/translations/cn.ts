<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Aurivent</name>
    <message>
        <source>Update Note:</source>
        <translation>更新说明：</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>No sensor information: the sensor plug-in is not loaded.</source>
        <translation>没有传感器信息：传感器插件未加载。</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>TEMP</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
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
        <translation>单色</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Snake</source>
        <translation>蛇形</translation>
    </message>
    <message>
        <source>Cycle</source>
        <translation>循环</translation>
    </message>
    <message>
        <source>Radar</source>
        <translation>雷达</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>闪烁</translation>
    </message>
    <message>
        <source>Breath</source>
        <translation>呼吸</translation>
    </message>
    <message>
        <source>Whirl</source>
        <translation>漩涡</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>常亮</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Music_1</source>
        <translation>音乐 1</translation>
    </message>
    <message>
        <source>Music_2</source>
        <translation>音乐 2</translation>
    </message>
    <message>
        <source>Music_3</source>
        <translation>音乐 3</translation>
    </message>
    <message>
        <source>Mobile_1</source>
        <translation>手机 1</translation>
    </message>
    <message>
        <source>Mobile_2</source>
        <translation>手机 2</translation>
    </message>
    <message>
        <source>Mobile_3</source>
        <translation>手机 3</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>So Fast</source>
        <translation>极快</translation>
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
        <translation>风扇</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>灯光模式</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>颜色模式</translation>
    </message>
    <message>
        <source>Light Speed</source>
        <translation>灯光速度</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>性能</translation>
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
        <translation>完成</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
        <translation>RGB 颜色值</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>性能</translation>
    </message>
</context>
<context>
    <name>SaveFailureNotice</name>
    <message>
        <source>Save failed</source>
        <translation>保存失败</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>无法将设置写入 %1。</translation>
    </message>
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <source>開啟檔案</source>
        <translation>打开文件</translation>
    </message>
</context>
<context>
    <name>VaylaRGBFanView</name>
    <message>
        <source>FAN</source>
        <translation>风扇</translation>
    </message>
    <message>
        <source>FAN MODE</source>
        <translation>风扇模式</translation>
    </message>
    <message>
        <source>Perfor-mance</source>
        <translation>性能</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Blink</source>
        <translation>闪烁</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>性能</translation>
    </message>
    <message>
        <source>LED BRIGHTNESS</source>
        <translation>LED 亮度</translation>
    </message>
</context>
</TS>
