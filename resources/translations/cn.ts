<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AlertText</name>
    <message>
        <source>Fan stopped</source>
        <translation>风扇已停转</translation>
    </message>
    <message>
        <source>Fan turns again</source>
        <translation>风扇恢复转动</translation>
    </message>
    <message>
        <source>Controller not answering</source>
        <translation>控制器无响应</translation>
    </message>
    <message>
        <source>Controller answers again</source>
        <translation>控制器恢复响应</translation>
    </message>
    <message>
        <source>Temperature reading lost</source>
        <translation>温度读数丢失</translation>
    </message>
    <message>
        <source>Temperature reading back</source>
        <translation>温度读数恢复</translation>
    </message>
    <message>
        <source>Temperature high</source>
        <translation>温度过高</translation>
    </message>
    <message>
        <source>Temperature normal again</source>
        <translation>温度恢复正常</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>保存失败</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>设置已保存</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 has stopped.</source>
        <translation>控制器 %2 的风扇 %1 已停转。</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 turns again.</source>
        <translation>控制器 %2 的风扇 %1 恢复转动。</translation>
    </message>
    <message>
        <source>Controller %1 answers again.</source>
        <translation>控制器 %1 恢复响应。</translation>
    </message>
    <message>
        <source>Controller %1 is gone: its fans are not watched.</source>
        <translation>控制器 %1 已断开：其风扇不再受监控。</translation>
    </message>
    <message>
        <source>Controller %1 does not answer: its fans are not watched.</source>
        <translation>控制器 %1 无响应：其风扇不再受监控。</translation>
    </message>
    <message>
        <source>No reading from %1.</source>
        <translation>无法从 %1 读取温度。</translation>
    </message>
    <message>
        <source>%1 reads again.</source>
        <translation>%1 恢复读数。</translation>
    </message>
    <message>
        <source>%1 has been above %2 °C for %3 s (%4 °C).</source>
        <translation>%1 高于 %2 °C 已达 %3 秒（%4 °C）。</translation>
    </message>
    <message>
        <source>%1 is at or under %2 °C again.</source>
        <translation>%1 已回到 %2 °C 或以下。</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>无法将设置写入 %1。</translation>
    </message>
    <message>
        <source>%1 was written again.</source>
        <translation>%1 已重新写入。</translation>
    </message>
    <message>
        <source>Open Aurivent</source>
        <translation>打开 Aurivent</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Controller No. %1</source>
        <translation>控制器 %1</translation>
    </message>
    <message>
        <source>FAN %1</source>
        <translation>风扇 %1</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>已停止：%1</translation>
    </message>
    <message>
        <source>Not answering: its fans are not watched</source>
        <translation>无响应：风扇未受监视</translation>
    </message>
    <message>
        <source>FAN 4, 5 give no speed. A box of three single-colour fans?</source>
        <translation>风扇 4, 5 没有转速。是三个单色风扇的控制盒吗？</translation>
    </message>
    <message>
        <source>Set it under Settings (gear) &gt; %1</source>
        <translation>请在设置（齿轮）&gt; %1 中设置</translation>
    </message>
</context>
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
    <message>
        <source>Phone server off</source>
        <translation>手机服务器已关闭</translation>
    </message>
    <message>
        <source>Phone server: this computer only</source>
        <translation>手机服务器：仅限本机</translation>
    </message>
    <message>
        <source>No CPU temperature</source>
        <translation>无 CPU 温度</translation>
    </message>
    <message>
        <source>Fans that follow the CPU temperature now run at their highest allowed speed until it can be read again.</source>
        <translation>跟随 CPU 温度的风扇现在以其允许的最高转速运行，直到可以再次读取温度。</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>No sensor chips found.</source>
        <translation>未找到传感器芯片。</translation>
    </message>
    <message>
        <source>No temperature from %1</source>
        <translation>无法读取 %1 的温度</translation>
    </message>
</context>
<context>
    <name>CurveController</name>
    <message>
        <source>fans on %1 run at their highest allowed speed</source>
        <translation>使用 %1 的风扇以允许的最高转速运行</translation>
    </message>
    <message>
        <source>%1 go on with their other sources</source>
        <translation>%1 继续使用其余的温度源</translation>
    </message>
</context>
<context>
    <name>CurveEdit</name>
    <message>
        <source>The curve needs a name.</source>
        <translation>曲线需要一个名称。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of a preset.</source>
        <translation>“%1”是预设的名称。</translation>
    </message>
    <message>
        <source>Another curve is named &quot;%1&quot;.</source>
        <translation>已有另一条曲线名为“%1”。</translation>
    </message>
    <message>
        <source>A curve has %1 to %2 points, not %3.</source>
        <translation>曲线应有 %1 到 %2 个点，而不是 %3 个。</translation>
    </message>
    <message>
        <source>Point %1 must be warmer than point %2.</source>
        <translation>点 %1 的温度必须高于点 %2。</translation>
    </message>
    <message>
        <source>Point %1 must not run slower than point %2.</source>
        <translation>点 %1 的转速不能低于点 %2。</translation>
    </message>
    <message>
        <source>Choose at least one temperature source.</source>
        <translation>请至少选择一个温度来源。</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>未保存：%1</translation>
    </message>
</context>
<context>
    <name>CurveEditor</name>
    <message>
        <source>Not saved: %1</source>
        <translation>未保存：%1</translation>
    </message>
    <message>
        <source>The curves file could not be written.</source>
        <translation>无法写入曲线文件。</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>已保存。</translation>
    </message>
    <message>
        <source>Now: %1 °C, %2 %</source>
        <translation>当前：%1 °C，%2 %</translation>
    </message>
    <message>
        <source>Now: no reading of this curve&apos;s sources</source>
        <translation>当前：此曲线的来源没有读数</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>风扇曲线</translation>
    </message>
    <message>
        <source>&amp;Curve</source>
        <translation>曲线(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>名称(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Sources</source>
        <translation>来源(&amp;S)</translation>
    </message>
    <message>
        <source>Mi&amp;x</source>
        <translation>混合(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Hysteresis (°C)</source>
        <translation>迟滞(&amp;H) (°C)</translation>
    </message>
    <message>
        <source>Step &amp;up (%/s)</source>
        <translation>上升速率(&amp;U) (%/s)</translation>
    </message>
    <message>
        <source>Step &amp;down (%/s)</source>
        <translation>下降速率(&amp;D) (%/s)</translation>
    </message>
    <message>
        <source>Mi&amp;nimum duty (%)</source>
        <translation>最低占空比(&amp;N) (%)</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Duty %</source>
        <translation>占空比 %</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>点</translation>
    </message>
    <message>
        <source>The curve&apos;s points: temperature and duty, 2 to 8 of them, warmer downwards</source>
        <translation>曲线的点：温度和占空比，2 到 8 个，越往下温度越高</translation>
    </message>
    <message>
        <source>Curve graph</source>
        <translation>曲线图</translation>
    </message>
    <message>
        <source>Drag a point to move it; the orange ring is where the fan is now</source>
        <translation>拖动点即可移动；橙色圆圈表示风扇当前的位置</translation>
    </message>
    <message>
        <source>A falling temperature must drop this far before the fan slows down</source>
        <translation>温度下降须超过此值，风扇才会减速</translation>
    </message>
    <message>
        <source>How fast the duty may rise; 0 = at once</source>
        <translation>占空比上升的最快速度；0 = 立即</translation>
    </message>
    <message>
        <source>How fast the duty may fall; 0 = at once</source>
        <translation>占空比下降的最快速度；0 = 立即</translation>
    </message>
    <message>
        <source>The fan never runs slower than this</source>
        <translation>风扇转速绝不会低于此值</translation>
    </message>
    <message>
        <source>The temperatures the curve follows; several make a mix</source>
        <translation>曲线跟随的温度；选择多个即为混合</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>最高值</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>平均值</translation>
    </message>
    <message>
        <source>Add point</source>
        <translation>添加点</translation>
    </message>
    <message>
        <source>Remove point</source>
        <translation>删除点</translation>
    </message>
    <message>
        <source>Copy to a new curve</source>
        <translation>复制为新曲线</translation>
    </message>
    <message>
        <source>Presets cannot be changed: edit a copy</source>
        <translation>预设不能修改：请编辑副本</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>CurveSelector</name>
    <message>
        <source>Fan %1 follows &quot;%2&quot; on %3.</source>
        <translation>风扇 %1 按“%2”跟随 %3。</translation>
    </message>
    <message>
        <source>Follows %1</source>
        <translation>跟随 %1</translation>
    </message>
    <message>
        <source>Fan curve</source>
        <translation>风扇曲线</translation>
    </message>
    <message>
        <source>Curves</source>
        <translation>曲线</translation>
    </message>
    <message>
        <source>The curve this fan&apos;s speed follows while PWM is on</source>
        <translation>PWM 开启时此风扇转速跟随的曲线</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>使用</translation>
    </message>
    <message>
        <source>This fan follows the chosen curve</source>
        <translation>此风扇跟随所选曲线</translation>
    </message>
    <message>
        <source>Edit curves…</source>
        <translation>编辑曲线…</translation>
    </message>
    <message>
        <source>Opens the curve editor</source>
        <translation>打开曲线编辑器</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
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
        <translation>%1 的平均值</translation>
    </message>
    <message>
        <source>highest of %1</source>
        <translation>%1 的最高值</translation>
    </message>
    <message>
        <source>%1 (preset)</source>
        <translation>%1（预设）</translation>
    </message>
</context>
<context>
    <name>GraphText</name>
    <message>
        <source>time (UTC)</source>
        <translation>时间 (UTC)</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 最小</translation>
    </message>
    <message>
        <source>%1 mean</source>
        <translation>%1 平均</translation>
    </message>
    <message>
        <source>%1 max</source>
        <translation>%1 最大</translation>
    </message>
    <message>
        <source>alerts</source>
        <translation>警报</translation>
    </message>
    <message>
        <source>%1 (°C)</source>
        <translation>%1 (°C)</translation>
    </message>
    <message>
        <source>%1 duty (%)</source>
        <translation>%1 占空比 (%)</translation>
    </message>
    <message>
        <source>%1 (RPM)</source>
        <translation>%1 (RPM)</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>控制盒 %1</translation>
    </message>
    <message>
        <source>Fan %1</source>
        <translation>风扇 %1</translation>
    </message>
    <message>
        <source>Box %1 fan %2</source>
        <translation>控制盒 %1 风扇 %2</translation>
    </message>
    <message>
        <source>Every fan</source>
        <translation>所有风扇</translation>
    </message>
</context>
<context>
    <name>GraphsWindow</name>
    <message>
        <source>Aurivent — graphs</source>
        <translation>Aurivent — 图表</translation>
    </message>
    <message>
        <source>5 min</source>
        <translation>5 分钟</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 小时</translation>
    </message>
    <message>
        <source>24 h</source>
        <translation>24 小时</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>导出 CSV…</translation>
    </message>
    <message>
        <source>Temperature (°C)</source>
        <translation>温度 (°C)</translation>
    </message>
    <message>
        <source>Duty (%)</source>
        <translation>占空比 (%)</translation>
    </message>
    <message>
        <source>Speed (RPM)</source>
        <translation>转速 (RPM)</translation>
    </message>
    <message>
        <source>No alerts in this time.</source>
        <translation>这段时间没有警报。</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>警报</translation>
    </message>
    <message>
        <source>Alert ended</source>
        <translation>警报结束</translation>
    </message>
    <message>
        <source>Shaded: %1 did not answer</source>
        <translation>阴影：%1 未响应</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>导出为 CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>无法写入文件：%1</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Sensors</source>
        <translation>传感器</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>风扇</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>使用率</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
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
    <message>
        <source>Fans of this box:</source>
        <translation>此控制盒的风扇：</translation>
    </message>
    <message>
        <source>12-LED fans</source>
        <translation>12 LED 风扇</translation>
    </message>
    <message>
        <source>single-colour fans</source>
        <translation>单色风扇</translation>
    </message>
    <message>
        <source>No controller box found</source>
        <translation>未找到控制盒</translation>
    </message>
    <message>
        <source>Connect a box by USB. It is found as soon as it is plugged in.</source>
        <translation>请通过 USB 连接控制盒，插入后即会自动检测。</translation>
    </message>
    <message>
        <source>On Linux, using a box needs the udev rule 70-aurivent.rules (see the README, &quot;Real boxes&quot;); plug the box in again after installing it.</source>
        <translation>在 Linux 上使用控制盒需要 udev 规则 70-aurivent.rules（见 README“Real boxes”）；安装后请重新插入控制盒。</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>已保存</translation>
    </message>
    <message>
        <source>Phone access</source>
        <translation>手机访问</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>This computer only</source>
        <translation>仅限本机</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>The phone app asks for this password before it sends commands. It is not a lock: the program hands it to every device that connects to port 5489. To keep others on the network away from the fans, set Phone access to &quot;This computer only&quot; or &quot;Off&quot;, or block port 5489 in the firewall.</source>
        <translation>手机应用在发送命令前会询问此密码。它不是一把锁：程序会把它交给每一台连接到端口 5489 的设备。若要让网络上的其他人无法控制风扇，请将“手机访问”设为“仅限本机”或“关闭”，或在防火墙中屏蔽端口 5489。</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>simulated boxes</source>
        <translation>模拟控制盒</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Closes the window; the program goes on in the tray</source>
        <translation>关闭窗口；程序继续在托盘中运行</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Language, updates, password, phone access, kind of fans</source>
        <translation>语言、更新、密码、手机访问、风扇类型</translation>
    </message>
    <message>
        <source>Earlier boxes</source>
        <translation>前面的控制盒</translation>
    </message>
    <message>
        <source>Later boxes</source>
        <translation>后面的控制盒</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>配置文件 %1</translation>
    </message>
    <message>
        <source>Keeps the settings shown in the current profile</source>
        <translation>将当前设置保存到当前配置文件</translation>
    </message>
    <message>
        <source>Shows what the temperature sensors read</source>
        <translation>显示温度传感器的读数</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>新密码</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Keeps the four digits as the new password</source>
        <translation>将这四位数字设为新密码</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Removes the last digit</source>
        <translation>删除最后一位数字</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Not answering</source>
        <translation>没有响应</translation>
    </message>
    <message>
        <source>A fan stopped</source>
        <translation>有风扇停止</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>控制盒 %1</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>图表</translation>
    </message>
    <message>
        <source>Menu key or right click: copy the settings shown into this profile</source>
        <translation>菜单键或右键：将当前设置复制到此配置</translation>
    </message>
    <message>
        <source>Copy the settings shown to PROFILE%1</source>
        <translation>将当前设置复制到配置%1</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>未保存的更改</translation>
    </message>
    <message>
        <source>PROFILE%1 has changes that are not saved. Save them before PROFILE%2 is loaded?</source>
        <translation>配置%1有未保存的更改。加载配置%2之前要保存吗？</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>风扇曲线</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>应用全部</translation>
    </message>
    <message>
        <source>All fans of this box</source>
        <translation>此控制盒的所有风扇</translation>
    </message>
    <message>
        <source>All fans of every box</source>
        <translation>所有控制盒的所有风扇</translation>
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
    <message>
        <source>No sound heard: music needs a sound server</source>
        <translation>没有声音：音乐模式需要音频服务器</translation>
    </message>
    <message>
        <source>Opens the panel of a fan that is switched off</source>
        <translation>打开已关闭风扇的面板</translation>
    </message>
    <message>
        <source>%1 on or off</source>
        <translation>%1 开启或关闭</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>关闭时面板收起，不再监视风扇是否停转</translation>
    </message>
    <message>
        <source>LED %1</source>
        <translation>LED %1</translation>
    </message>
    <message>
        <source>Selected LEDs take the colour picked on the palette</source>
        <translation>选中的 LED 采用调色板上选取的颜色</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>风扇全速</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>风扇最低速</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature, between 50 % and 100 %</source>
        <translation>风扇转速随 CPU 温度变化，介于 50 % 与 100 % 之间</translation>
    </message>
    <message>
        <source>Fan speed with PWM</source>
        <translation>PWM 风扇转速</translation>
    </message>
    <message>
        <source>From 50 % to 100 %, while PWM is on</source>
        <translation>PWM 开启时为 50 % 到 100 %</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>风扇转速</translation>
    </message>
    <message>
        <source>From 0 % to 100 %, while PWM is off</source>
        <translation>PWM 关闭时为 0 % 到 100 %</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LED 亮度</translation>
    </message>
    <message>
        <source>Previous light mode</source>
        <translation>上一个灯光模式</translation>
    </message>
    <message>
        <source>Next light mode</source>
        <translation>下一个灯光模式</translation>
    </message>
    <message>
        <source>Previous color mode</source>
        <translation>上一个颜色模式</translation>
    </message>
    <message>
        <source>Next color mode</source>
        <translation>下一个颜色模式</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>更慢</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>更快</translation>
    </message>
    <message>
        <source>Ends the selection of LEDs</source>
        <translation>结束 LED 的选择</translation>
    </message>
    <message>
        <source>Puts back the default colours</source>
        <translation>恢复默认颜色</translation>
    </message>
    <message>
        <source>Type a colour as red, green and blue</source>
        <translation>以红、绿、蓝数值输入颜色</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>关闭 LED</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>关闭或重新打开此风扇的 LED</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>0 to 255</source>
        <translation>0 到 255</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Gives the selected LEDs this colour</source>
        <translation>将此颜色应用到选中的 LED</translation>
    </message>
    <message>
        <source>Closes without changing a colour</source>
        <translation>关闭且不更改颜色</translation>
    </message>
    <message>
        <source>Graphs of %1</source>
        <translation>%1 的图表</translation>
    </message>
    <message>
        <source>Temperature, duty and speed over time</source>
        <translation>温度、占空比和转速随时间的变化</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>应用全部</translation>
    </message>
    <message>
        <source>Cap 50 %</source>
        <translation>上限 50 %</translation>
    </message>
    <message>
        <source>Cap 100 %</source>
        <translation>上限 100 %</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>应用到所有风扇</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s light mode, colours, light speed and fan speed</source>
        <translation>将此风扇的灯光模式、颜色、灯光速度和风扇转速应用到此控制盒的所有风扇</translation>
    </message>
    <message>
        <source>Cap %1 %</source>
        <translation>上限 %1 %</translation>
    </message>
    <message>
        <source>No CPU temp.</source>
        <translation>无CPU温度</translation>
    </message>
    <message>
        <source>By CPU: %1 %</source>
        <translation>随CPU：%1 %</translation>
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
    <message>
        <source>The phone access setting in Device.ini could not be read: only this computer can reach the phone server until you choose again in the settings menu.</source>
        <translation>无法读取 Device.ini 中的手机访问设置：在您于设置菜单中重新选择之前，只有本机能连接手机服务器。</translation>
    </message>
    <message>
        <source>Some settings in Device.ini could not be read and were set to their safe choice: %1.</source>
        <translation>Device.ini 中有些设置无法读取，已改用安全的选项：%1。</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
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
    <name>Tray</name>
    <message>
        <source>Open Aurivent</source>
        <translation>打开 Aurivent</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Start Aurivent at log-in</source>
        <translation>登录时启动 Aurivent</translation>
    </message>
    <message>
        <source>not with simulated boxes</source>
        <translation>模拟控制盒时不可用</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>图表</translation>
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
    <message>
        <source>%1 on or off</source>
        <translation>%1 开启或关闭</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>关闭时面板收起，不再监视风扇是否停转</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>风扇全速</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>风扇最低速</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature</source>
        <translation>风扇转速随 CPU 温度变化</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>风扇转速</translation>
    </message>
    <message>
        <source>RGB cycle</source>
        <translation>RGB 循环</translation>
    </message>
    <message>
        <source>The colours cycle through the rainbow</source>
        <translation>颜色按彩虹循环变化</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>关闭 LED</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>关闭或重新打开此风扇的 LED</translation>
    </message>
    <message>
        <source>The colour blinks</source>
        <translation>颜色闪烁</translation>
    </message>
    <message>
        <source>Copy fan 1</source>
        <translation>复制风扇 1</translation>
    </message>
    <message>
        <source>Takes over the lighting of fan 1</source>
        <translation>沿用风扇 1 的灯光</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LED 亮度</translation>
    </message>
    <message>
        <source>Brightest at the left</source>
        <translation>最左边最亮</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>应用全部</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>应用到所有风扇</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s colour, lighting, brightness and fan speed</source>
        <translation>将此风扇的颜色、灯效、亮度和转速应用到此控制盒的每个风扇</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Aurivent already runs in the background without a window (the aurivent service) and drives the fans. Only one Aurivent can drive them at a time. To use the window, stop the service first:
systemctl --user stop aurivent.service</source>
        <translation>Aurivent 已在后台以无窗口方式运行（aurivent 服务）并控制风扇。同一时间只能有一个 Aurivent 控制风扇。若要使用窗口，请先停止该服务：
systemctl --user stop aurivent.service</translation>
    </message>
</context>
</TS>
