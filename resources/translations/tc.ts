<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>AlertText</name>
    <message>
        <source>Fan stopped</source>
        <translation>風扇已停轉</translation>
    </message>
    <message>
        <source>Fan turns again</source>
        <translation>風扇恢復轉動</translation>
    </message>
    <message>
        <source>Controller not answering</source>
        <translation>控制器無回應</translation>
    </message>
    <message>
        <source>Controller answers again</source>
        <translation>控制器恢復回應</translation>
    </message>
    <message>
        <source>Temperature reading lost</source>
        <translation>溫度讀數遺失</translation>
    </message>
    <message>
        <source>Temperature reading back</source>
        <translation>溫度讀數恢復</translation>
    </message>
    <message>
        <source>Temperature high</source>
        <translation>溫度過高</translation>
    </message>
    <message>
        <source>Temperature normal again</source>
        <translation>溫度恢復正常</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>儲存失敗</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>設定已儲存</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 has stopped.</source>
        <translation>控制器 %2 的風扇 %1 已停轉。</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 turns again.</source>
        <translation>控制器 %2 的風扇 %1 恢復轉動。</translation>
    </message>
    <message>
        <source>Controller %1 answers again.</source>
        <translation>控制器 %1 恢復回應。</translation>
    </message>
    <message>
        <source>Controller %1 is gone: its fans are not watched.</source>
        <translation>控制器 %1 已中斷連線：其風扇不再受監控。</translation>
    </message>
    <message>
        <source>Controller %1 does not answer: its fans are not watched.</source>
        <translation>控制器 %1 無回應：其風扇不再受監控。</translation>
    </message>
    <message>
        <source>No reading from %1.</source>
        <translation>無法從 %1 讀取溫度。</translation>
    </message>
    <message>
        <source>%1 reads again.</source>
        <translation>%1 恢復讀數。</translation>
    </message>
    <message>
        <source>%1 has been above %2 °C for %3 s (%4 °C).</source>
        <translation>%1 高於 %2 °C 已達 %3 秒（%4 °C）。</translation>
    </message>
    <message>
        <source>%1 is at or under %2 °C again.</source>
        <translation>%1 已回到 %2 °C 或以下。</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>無法將設定寫入 %1。</translation>
    </message>
    <message>
        <source>%1 was written again.</source>
        <translation>%1 已重新寫入。</translation>
    </message>
    <message>
        <source>Open Aurivent</source>
        <translation>開啟 Aurivent</translation>
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
        <translation>確定</translation>
    </message>
    <message>
        <source>Controller No. %1</source>
        <translation>控制器 %1</translation>
    </message>
    <message>
        <source>FAN %1</source>
        <translation>風扇 %1</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>已停止：%1</translation>
    </message>
    <message>
        <source>Not answering: its fans are not watched</source>
        <translation>無回應：風扇未受監視</translation>
    </message>
    <message>
        <source>FAN 4, 5 give no speed. A box of three single-colour fans?</source>
        <translation>風扇 4, 5 沒有轉速。是三個單色風扇的控制盒嗎？</translation>
    </message>
    <message>
        <source>Set it under Settings (gear) &gt; %1</source>
        <translation>請在設定（齒輪）&gt; %1 中設定</translation>
    </message>
</context>
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
    <message>
        <source>Phone server off</source>
        <translation>手機伺服器已關閉</translation>
    </message>
    <message>
        <source>Phone server: this computer only</source>
        <translation>手機伺服器：僅限本機</translation>
    </message>
    <message>
        <source>No CPU temperature</source>
        <translation>無 CPU 溫度</translation>
    </message>
    <message>
        <source>Fans that follow the CPU temperature now run at their highest allowed speed until it can be read again.</source>
        <translation>跟隨 CPU 溫度的風扇現在以其允許的最高轉速運轉，直到可以再次讀取溫度。</translation>
    </message>
    <message>
        <source>none</source>
        <translation>無</translation>
    </message>
    <message>
        <source>No sensor chips found.</source>
        <translation>找不到感測器晶片。</translation>
    </message>
    <message>
        <source>No temperature from %1</source>
        <translation>無法讀取 %1 的溫度</translation>
    </message>
</context>
<context>
    <name>CurveController</name>
    <message>
        <source>fans on %1 run at their highest allowed speed</source>
        <translation>使用 %1 的風扇以允許的最高轉速運轉</translation>
    </message>
    <message>
        <source>%1 go on with their other sources</source>
        <translation>%1 繼續使用其餘的溫度來源</translation>
    </message>
</context>
<context>
    <name>CurveEdit</name>
    <message>
        <source>The curve needs a name.</source>
        <translation>曲線需要一個名稱。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of a preset.</source>
        <translation>「%1」是預設的名稱。</translation>
    </message>
    <message>
        <source>Another curve is named &quot;%1&quot;.</source>
        <translation>已有另一條曲線名為「%1」。</translation>
    </message>
    <message>
        <source>A curve has %1 to %2 points, not %3.</source>
        <translation>曲線應有 %1 到 %2 個點，而不是 %3 個。</translation>
    </message>
    <message>
        <source>Point %1 must be warmer than point %2.</source>
        <translation>點 %1 的溫度必須高於點 %2。</translation>
    </message>
    <message>
        <source>Point %1 must not run slower than point %2.</source>
        <translation>點 %1 的轉速不能低於點 %2。</translation>
    </message>
    <message>
        <source>Choose at least one temperature source.</source>
        <translation>請至少選擇一個溫度來源。</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>未儲存：%1</translation>
    </message>
</context>
<context>
    <name>CurveEditor</name>
    <message>
        <source>Not saved: %1</source>
        <translation>未儲存：%1</translation>
    </message>
    <message>
        <source>The curves file could not be written.</source>
        <translation>無法寫入曲線檔案。</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>已儲存。</translation>
    </message>
    <message>
        <source>Now: %1 °C, %2 %</source>
        <translation>目前：%1 °C，%2 %</translation>
    </message>
    <message>
        <source>Now: no reading of this curve&apos;s sources</source>
        <translation>目前：此曲線的來源沒有讀數</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>風扇曲線</translation>
    </message>
    <message>
        <source>&amp;Curve</source>
        <translation>曲線(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>名稱(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Sources</source>
        <translation>來源(&amp;S)</translation>
    </message>
    <message>
        <source>Mi&amp;x</source>
        <translation>混合(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Hysteresis (°C)</source>
        <translation>遲滯(&amp;H) (°C)</translation>
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
        <translation>最低佔空比(&amp;N) (%)</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Duty %</source>
        <translation>佔空比 %</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>點</translation>
    </message>
    <message>
        <source>The curve&apos;s points: temperature and duty, 2 to 8 of them, warmer downwards</source>
        <translation>曲線的點：溫度和佔空比，2 到 8 個，越往下溫度越高</translation>
    </message>
    <message>
        <source>Curve graph</source>
        <translation>曲線圖</translation>
    </message>
    <message>
        <source>Drag a point to move it; the orange ring is where the fan is now</source>
        <translation>拖曳點即可移動；橘色圓圈表示風扇目前的位置</translation>
    </message>
    <message>
        <source>A falling temperature must drop this far before the fan slows down</source>
        <translation>溫度下降須超過此值，風扇才會減速</translation>
    </message>
    <message>
        <source>How fast the duty may rise; 0 = at once</source>
        <translation>佔空比上升的最快速度；0 = 立即</translation>
    </message>
    <message>
        <source>How fast the duty may fall; 0 = at once</source>
        <translation>佔空比下降的最快速度；0 = 立即</translation>
    </message>
    <message>
        <source>The fan never runs slower than this</source>
        <translation>風扇轉速絕不會低於此值</translation>
    </message>
    <message>
        <source>The temperatures the curve follows; several make a mix</source>
        <translation>曲線跟隨的溫度；選擇多個即為混合</translation>
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
        <translation>新增點</translation>
    </message>
    <message>
        <source>Remove point</source>
        <translation>刪除點</translation>
    </message>
    <message>
        <source>Copy to a new curve</source>
        <translation>複製為新曲線</translation>
    </message>
    <message>
        <source>Presets cannot be changed: edit a copy</source>
        <translation>預設不能修改：請編輯副本</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>CurveSelector</name>
    <message>
        <source>Fan %1 follows &quot;%2&quot; on %3.</source>
        <translation>風扇 %1 依「%2」跟隨 %3。</translation>
    </message>
    <message>
        <source>Follows %1</source>
        <translation>跟隨 %1</translation>
    </message>
    <message>
        <source>Fan curve</source>
        <translation>風扇曲線</translation>
    </message>
    <message>
        <source>Curves</source>
        <translation>曲線</translation>
    </message>
    <message>
        <source>The curve this fan&apos;s speed follows while PWM is on</source>
        <translation>PWM 開啟時此風扇轉速跟隨的曲線</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>使用</translation>
    </message>
    <message>
        <source>This fan follows the chosen curve</source>
        <translation>此風扇跟隨所選曲線</translation>
    </message>
    <message>
        <source>Edit curves…</source>
        <translation>編輯曲線…</translation>
    </message>
    <message>
        <source>Opens the curve editor</source>
        <translation>開啟曲線編輯器</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
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
        <translation>%1（預設）</translation>
    </message>
</context>
<context>
    <name>GraphText</name>
    <message>
        <source>time (UTC)</source>
        <translation>時間 (UTC)</translation>
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
        <translation>警報</translation>
    </message>
    <message>
        <source>%1 (°C)</source>
        <translation>%1 (°C)</translation>
    </message>
    <message>
        <source>%1 duty (%)</source>
        <translation>%1 負載 (%)</translation>
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
        <translation>風扇 %1</translation>
    </message>
    <message>
        <source>Box %1 fan %2</source>
        <translation>控制盒 %1 風扇 %2</translation>
    </message>
    <message>
        <source>Every fan</source>
        <translation>所有風扇</translation>
    </message>
</context>
<context>
    <name>GraphsWindow</name>
    <message>
        <source>Aurivent — graphs</source>
        <translation>Aurivent — 圖表</translation>
    </message>
    <message>
        <source>5 min</source>
        <translation>5 分鐘</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 小時</translation>
    </message>
    <message>
        <source>24 h</source>
        <translation>24 小時</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>匯出 CSV…</translation>
    </message>
    <message>
        <source>Temperature (°C)</source>
        <translation>溫度 (°C)</translation>
    </message>
    <message>
        <source>Duty (%)</source>
        <translation>負載 (%)</translation>
    </message>
    <message>
        <source>Speed (RPM)</source>
        <translation>轉速 (RPM)</translation>
    </message>
    <message>
        <source>No alerts in this time.</source>
        <translation>這段時間沒有警報。</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>警報</translation>
    </message>
    <message>
        <source>Alert ended</source>
        <translation>警報結束</translation>
    </message>
    <message>
        <source>Shaded: %1 did not answer</source>
        <translation>陰影：%1 未回應</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>匯出為 CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 檔案 (*.csv)</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>無法寫入檔案：%1</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Sensors</source>
        <translation>感測器</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>溫度</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>電壓</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>風扇</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>電流</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>時脈</translation>
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
        <translation>無</translation>
    </message>
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
    <message>
        <source>Fans of this box:</source>
        <translation>此控制盒的風扇：</translation>
    </message>
    <message>
        <source>12-LED fans</source>
        <translation>12 LED 風扇</translation>
    </message>
    <message>
        <source>single-colour fans</source>
        <translation>單色風扇</translation>
    </message>
    <message>
        <source>No controller box found</source>
        <translation>找不到控制盒</translation>
    </message>
    <message>
        <source>Connect a box by USB. It is found as soon as it is plugged in.</source>
        <translation>請以 USB 連接控制盒，插上後即會自動偵測。</translation>
    </message>
    <message>
        <source>On Linux, using a box needs the udev rule 70-aurivent.rules (see the README, &quot;Real boxes&quot;); plug the box in again after installing it.</source>
        <translation>在 Linux 上使用控制盒需要 udev 規則 70-aurivent.rules（見 README「Real boxes」）；安裝後請重新插上控制盒。</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>已儲存</translation>
    </message>
    <message>
        <source>Phone access</source>
        <translation>手機存取</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>This computer only</source>
        <translation>僅限本機</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>網路</translation>
    </message>
    <message>
        <source>The phone app asks for this password before it sends commands. It is not a lock: the program hands it to every device that connects to port 5489. To keep others on the network away from the fans, set Phone access to &quot;This computer only&quot; or &quot;Off&quot;, or block port 5489 in the firewall.</source>
        <translation>手機應用程式在傳送指令前會詢問此密碼。它不是一把鎖：程式會把它交給每一台連線到連接埠 5489 的裝置。若要讓網路上的其他人無法控制風扇，請將「手機存取」設為「僅限本機」或「關閉」，或在防火牆中封鎖連接埠 5489。</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>資訊</translation>
    </message>
    <message>
        <source>simulated boxes</source>
        <translation>模擬控制盒</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Closes the window; the program goes on in the tray</source>
        <translation>關閉視窗；程式繼續在系統匣中執行</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Language, updates, password, phone access, kind of fans</source>
        <translation>語言、更新、密碼、手機連線、風扇種類</translation>
    </message>
    <message>
        <source>Earlier boxes</source>
        <translation>前面的控制盒</translation>
    </message>
    <message>
        <source>Later boxes</source>
        <translation>後面的控制盒</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>設定檔 %1</translation>
    </message>
    <message>
        <source>Keeps the settings shown in the current profile</source>
        <translation>將目前的設定存入目前的設定檔</translation>
    </message>
    <message>
        <source>Shows what the temperature sensors read</source>
        <translation>顯示溫度感測器的讀數</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>新密碼</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Keeps the four digits as the new password</source>
        <translation>以這四位數字作為新密碼</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Removes the last digit</source>
        <translation>刪除最後一位數字</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>未連接</translation>
    </message>
    <message>
        <source>Not answering</source>
        <translation>沒有回應</translation>
    </message>
    <message>
        <source>A fan stopped</source>
        <translation>有風扇停止</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已連接</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>控制盒 %1</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>圖表</translation>
    </message>
    <message>
        <source>Menu key or right click: copy the settings shown into this profile</source>
        <translation>選單鍵或右鍵：將目前設定複製到此設定檔</translation>
    </message>
    <message>
        <source>Copy the settings shown to PROFILE%1</source>
        <translation>將目前設定複製到設定檔%1</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>未儲存的變更</translation>
    </message>
    <message>
        <source>PROFILE%1 has changes that are not saved. Save them before PROFILE%2 is loaded?</source>
        <translation>設定檔%1有未儲存的變更。載入設定檔%2之前要儲存嗎？</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>捨棄</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>風扇曲線</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>套用全部</translation>
    </message>
    <message>
        <source>All fans of this box</source>
        <translation>此控制盒的所有風扇</translation>
    </message>
    <message>
        <source>All fans of every box</source>
        <translation>所有控制盒的所有風扇</translation>
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
    <message>
        <source>No sound heard: music needs a sound server</source>
        <translation>沒有聲音：音樂模式需要音訊伺服器</translation>
    </message>
    <message>
        <source>Opens the panel of a fan that is switched off</source>
        <translation>開啟已關閉風扇的面板</translation>
    </message>
    <message>
        <source>%1 on or off</source>
        <translation>%1 開啟或關閉</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>關閉時面板收起，不再監看風扇是否停止</translation>
    </message>
    <message>
        <source>LED %1</source>
        <translation>LED %1</translation>
    </message>
    <message>
        <source>Selected LEDs take the colour picked on the palette</source>
        <translation>選取的 LED 會使用調色盤上點選的顏色</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>風扇全速</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>風扇最低速</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature, between 50 % and 100 %</source>
        <translation>風扇轉速隨 CPU 溫度變化，介於 50 % 與 100 % 之間</translation>
    </message>
    <message>
        <source>Fan speed with PWM</source>
        <translation>PWM 風扇轉速</translation>
    </message>
    <message>
        <source>From 50 % to 100 %, while PWM is on</source>
        <translation>PWM 開啟時為 50 % 到 100 %</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>風扇轉速</translation>
    </message>
    <message>
        <source>From 0 % to 100 %, while PWM is off</source>
        <translation>PWM 關閉時為 0 % 到 100 %</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LED 亮度</translation>
    </message>
    <message>
        <source>Previous light mode</source>
        <translation>上一個燈光模式</translation>
    </message>
    <message>
        <source>Next light mode</source>
        <translation>下一個燈光模式</translation>
    </message>
    <message>
        <source>Previous color mode</source>
        <translation>上一個色彩模式</translation>
    </message>
    <message>
        <source>Next color mode</source>
        <translation>下一個色彩模式</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>較慢</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>較快</translation>
    </message>
    <message>
        <source>Ends the selection of LEDs</source>
        <translation>結束 LED 的選取</translation>
    </message>
    <message>
        <source>Puts back the default colours</source>
        <translation>恢復預設顏色</translation>
    </message>
    <message>
        <source>Type a colour as red, green and blue</source>
        <translation>以紅、綠、藍數值輸入顏色</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>關閉 LED</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>關閉或重新開啟此風扇的 LED</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>紅</translation>
    </message>
    <message>
        <source>0 to 255</source>
        <translation>0 到 255</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>綠</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>藍</translation>
    </message>
    <message>
        <source>Gives the selected LEDs this colour</source>
        <translation>將此顏色套用到選取的 LED</translation>
    </message>
    <message>
        <source>Closes without changing a colour</source>
        <translation>關閉且不變更顏色</translation>
    </message>
    <message>
        <source>Graphs of %1</source>
        <translation>%1 的圖表</translation>
    </message>
    <message>
        <source>Temperature, duty and speed over time</source>
        <translation>溫度、負載與轉速隨時間的變化</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>套用全部</translation>
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
        <translation>套用到所有風扇</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s light mode, colours, light speed and fan speed</source>
        <translation>將此風扇的燈光模式、顏色、燈光速度和風扇轉速套用到此控制盒的所有風扇</translation>
    </message>
    <message>
        <source>Cap %1 %</source>
        <translation>上限 %1 %</translation>
    </message>
    <message>
        <source>No CPU temp.</source>
        <translation>無CPU溫度</translation>
    </message>
    <message>
        <source>By CPU: %1 %</source>
        <translation>依CPU：%1 %</translation>
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
    <message>
        <source>The phone access setting in Device.ini could not be read: only this computer can reach the phone server until you choose again in the settings menu.</source>
        <translation>無法讀取 Device.ini 中的手機連線設定：在您於設定選單中重新選擇之前，只有這台電腦能連到手機伺服器。</translation>
    </message>
    <message>
        <source>Some settings in Device.ini could not be read and were set to their safe choice: %1.</source>
        <translation>Device.ini 中有些設定無法讀取，已改用安全的選項：%1。</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
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
    <name>Tray</name>
    <message>
        <source>Open Aurivent</source>
        <translation>開啟 Aurivent</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>Start Aurivent at log-in</source>
        <translation>登入時啟動 Aurivent</translation>
    </message>
    <message>
        <source>not with simulated boxes</source>
        <translation>模擬控制盒時不可用</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>圖表</translation>
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
    <message>
        <source>%1 on or off</source>
        <translation>%1 開啟或關閉</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>關閉時面板收起，不再監看風扇是否停止</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>風扇全速</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>風扇最低速</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature</source>
        <translation>風扇轉速隨 CPU 溫度變化</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>風扇轉速</translation>
    </message>
    <message>
        <source>RGB cycle</source>
        <translation>RGB 循環</translation>
    </message>
    <message>
        <source>The colours cycle through the rainbow</source>
        <translation>顏色依彩虹循環變化</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>關閉 LED</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>關閉或重新開啟此風扇的 LED</translation>
    </message>
    <message>
        <source>The colour blinks</source>
        <translation>顏色閃爍</translation>
    </message>
    <message>
        <source>Copy fan 1</source>
        <translation>複製風扇 1</translation>
    </message>
    <message>
        <source>Takes over the lighting of fan 1</source>
        <translation>沿用風扇 1 的燈光</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LED 亮度</translation>
    </message>
    <message>
        <source>Brightest at the left</source>
        <translation>最左邊最亮</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>套用全部</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>套用到所有風扇</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s colour, lighting, brightness and fan speed</source>
        <translation>將此風扇的顏色、燈效、亮度和轉速套用到此控制盒的每個風扇</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Aurivent already runs in the background without a window (the aurivent service) and drives the fans. Only one Aurivent can drive them at a time. To use the window, stop the service first:
systemctl --user stop aurivent.service</source>
        <translation>Aurivent 已在背景中以無視窗方式執行（aurivent 服務）並控制風扇。同一時間只能有一個 Aurivent 控制風扇。若要使用視窗，請先停止此服務：
systemctl --user stop aurivent.service</translation>
    </message>
</context>
</TS>
