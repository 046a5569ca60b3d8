<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AlertText</name>
    <message>
        <source>Fan stopped</source>
        <translation>ファンが停止しました</translation>
    </message>
    <message>
        <source>Fan turns again</source>
        <translation>ファンが再び回転しています</translation>
    </message>
    <message>
        <source>Controller not answering</source>
        <translation>コントローラーが応答しません</translation>
    </message>
    <message>
        <source>Controller answers again</source>
        <translation>コントローラーが再び応答しています</translation>
    </message>
    <message>
        <source>Temperature reading lost</source>
        <translation>温度を読み取れません</translation>
    </message>
    <message>
        <source>Temperature reading back</source>
        <translation>温度を再び読み取れます</translation>
    </message>
    <message>
        <source>Temperature high</source>
        <translation>温度が高すぎます</translation>
    </message>
    <message>
        <source>Temperature normal again</source>
        <translation>温度が正常に戻りました</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>保存できませんでした</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>設定を保存しました</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 has stopped.</source>
        <translation>コントローラー %2 のファン %1 が停止しました。</translation>
    </message>
    <message>
        <source>Fan %1 of controller %2 turns again.</source>
        <translation>コントローラー %2 のファン %1 が再び回転しています。</translation>
    </message>
    <message>
        <source>Controller %1 answers again.</source>
        <translation>コントローラー %1 が再び応答しています。</translation>
    </message>
    <message>
        <source>Controller %1 is gone: its fans are not watched.</source>
        <translation>コントローラー %1 が取り外されました：ファンは監視されていません。</translation>
    </message>
    <message>
        <source>Controller %1 does not answer: its fans are not watched.</source>
        <translation>コントローラー %1 が応答しません：ファンは監視されていません。</translation>
    </message>
    <message>
        <source>No reading from %1.</source>
        <translation>%1 から温度を読み取れません。</translation>
    </message>
    <message>
        <source>%1 reads again.</source>
        <translation>%1 から再び読み取れます。</translation>
    </message>
    <message>
        <source>%1 has been above %2 °C for %3 s (%4 °C).</source>
        <translation>%1 が %3 秒間 %2 °C を超えています（%4 °C）。</translation>
    </message>
    <message>
        <source>%1 is at or under %2 °C again.</source>
        <translation>%1 は再び %2 °C 以下です。</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>設定を %1 に書き込めませんでした。</translation>
    </message>
    <message>
        <source>%1 was written again.</source>
        <translation>%1 を再び書き込みました。</translation>
    </message>
    <message>
        <source>Open Aurivent</source>
        <translation>Aurivent を開く</translation>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Controller No. %1</source>
        <translation>コントローラー %1</translation>
    </message>
    <message>
        <source>FAN %1</source>
        <translation>ファン %1</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>停止：%1</translation>
    </message>
    <message>
        <source>Not answering: its fans are not watched</source>
        <translation>応答なし：ファンは監視されていません</translation>
    </message>
    <message>
        <source>FAN 4, 5 give no speed. A box of three single-colour fans?</source>
        <translation>ファン 4, 5 の回転数がありません。単色ファン3台のボックスですか？</translation>
    </message>
    <message>
        <source>Set it under Settings (gear) &gt; %1</source>
        <translation>設定（歯車）&gt; %1 で設定してください</translation>
    </message>
</context>
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
        <source>Phone server off</source>
        <translation>スマホサーバー オフ</translation>
    </message>
    <message>
        <source>Phone server: this computer only</source>
        <translation>スマホサーバー：このコンピューターのみ</translation>
    </message>
    <message>
        <source>No CPU temperature</source>
        <translation>CPU 温度がありません</translation>
    </message>
    <message>
        <source>Fans that follow the CPU temperature now run at their highest allowed speed until it can be read again.</source>
        <translation>CPU 温度に従うファンは、温度が再び読み取れるようになるまで、許可された最高速度で回転します。</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>No sensor chips found.</source>
        <translation>センサーチップが見つかりません。</translation>
    </message>
    <message>
        <source>No temperature from %1</source>
        <translation>%1 の温度が読めません</translation>
    </message>
</context>
<context>
    <name>CurveController</name>
    <message>
        <source>fans on %1 run at their highest allowed speed</source>
        <translation>%1 のファンは許可された最高速度で回ります</translation>
    </message>
    <message>
        <source>%1 go on with their other sources</source>
        <translation>%1 は残りのソースで動作を続けます</translation>
    </message>
</context>
<context>
    <name>CurveEdit</name>
    <message>
        <source>The curve needs a name.</source>
        <translation>カーブに名前が必要です。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of a preset.</source>
        <translation>「%1」はプリセットの名前です。</translation>
    </message>
    <message>
        <source>Another curve is named &quot;%1&quot;.</source>
        <translation>「%1」という名前のカーブが既にあります。</translation>
    </message>
    <message>
        <source>A curve has %1 to %2 points, not %3.</source>
        <translation>カーブの点は %1～%2 個です（%3 個ではなく）。</translation>
    </message>
    <message>
        <source>Point %1 must be warmer than point %2.</source>
        <translation>点 %1 は点 %2 より高い温度にしてください。</translation>
    </message>
    <message>
        <source>Point %1 must not run slower than point %2.</source>
        <translation>点 %1 は点 %2 より遅くできません。</translation>
    </message>
    <message>
        <source>Choose at least one temperature source.</source>
        <translation>温度ソースを 1 つ以上選んでください。</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>保存されませんでした：%1</translation>
    </message>
</context>
<context>
    <name>CurveEditor</name>
    <message>
        <source>Not saved: %1</source>
        <translation>保存されませんでした：%1</translation>
    </message>
    <message>
        <source>The curves file could not be written.</source>
        <translation>カーブのファイルを書き込めませんでした。</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>保存しました。</translation>
    </message>
    <message>
        <source>Now: %1 °C, %2 %</source>
        <translation>現在：%1 °C、%2 %</translation>
    </message>
    <message>
        <source>Now: no reading of this curve&apos;s sources</source>
        <translation>現在：このカーブのソースの測定値がありません</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>ファンカーブ</translation>
    </message>
    <message>
        <source>&amp;Curve</source>
        <translation>カーブ(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>名前(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Sources</source>
        <translation>ソース(&amp;S)</translation>
    </message>
    <message>
        <source>Mi&amp;x</source>
        <translation>組み合わせ(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Hysteresis (°C)</source>
        <translation>ヒステリシス(&amp;H) (°C)</translation>
    </message>
    <message>
        <source>Step &amp;up (%/s)</source>
        <translation>上昇速度(&amp;U) (%/s)</translation>
    </message>
    <message>
        <source>Step &amp;down (%/s)</source>
        <translation>下降速度(&amp;D) (%/s)</translation>
    </message>
    <message>
        <source>Mi&amp;nimum duty (%)</source>
        <translation>最小デューティ(&amp;N) (%)</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Duty %</source>
        <translation>デューティ %</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>点</translation>
    </message>
    <message>
        <source>The curve&apos;s points: temperature and duty, 2 to 8 of them, warmer downwards</source>
        <translation>カーブの点：温度とデューティ、2～8 個、下ほど高温</translation>
    </message>
    <message>
        <source>Curve graph</source>
        <translation>カーブのグラフ</translation>
    </message>
    <message>
        <source>Drag a point to move it; the orange ring is where the fan is now</source>
        <translation>点をドラッグして動かします。オレンジの輪はファンの現在位置です</translation>
    </message>
    <message>
        <source>A falling temperature must drop this far before the fan slows down</source>
        <translation>温度がこれだけ下がってからファンが減速します</translation>
    </message>
    <message>
        <source>How fast the duty may rise; 0 = at once</source>
        <translation>デューティが上がる速さ。0 = 即時</translation>
    </message>
    <message>
        <source>How fast the duty may fall; 0 = at once</source>
        <translation>デューティが下がる速さ。0 = 即時</translation>
    </message>
    <message>
        <source>The fan never runs slower than this</source>
        <translation>ファンはこれより遅くなりません</translation>
    </message>
    <message>
        <source>The temperatures the curve follows; several make a mix</source>
        <translation>カーブが従う温度。複数選ぶと組み合わせになります</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>最高</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>平均</translation>
    </message>
    <message>
        <source>Add point</source>
        <translation>点を追加</translation>
    </message>
    <message>
        <source>Remove point</source>
        <translation>点を削除</translation>
    </message>
    <message>
        <source>Copy to a new curve</source>
        <translation>新しいカーブにコピー</translation>
    </message>
    <message>
        <source>Presets cannot be changed: edit a copy</source>
        <translation>プリセットは変更できません。コピーを編集してください</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>CurveSelector</name>
    <message>
        <source>Fan %1 follows &quot;%2&quot; on %3.</source>
        <translation>ファン %1 は %3 で「%2」に従います。</translation>
    </message>
    <message>
        <source>Follows %1</source>
        <translation>%1 に従う</translation>
    </message>
    <message>
        <source>Fan curve</source>
        <translation>ファンカーブ</translation>
    </message>
    <message>
        <source>Curves</source>
        <translation>カーブ</translation>
    </message>
    <message>
        <source>The curve this fan&apos;s speed follows while PWM is on</source>
        <translation>PWM がオンのときこのファンの速度が従うカーブ</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>使用</translation>
    </message>
    <message>
        <source>This fan follows the chosen curve</source>
        <translation>このファンは選んだカーブに従います</translation>
    </message>
    <message>
        <source>Edit curves…</source>
        <translation>カーブを編集…</translation>
    </message>
    <message>
        <source>Opens the curve editor</source>
        <translation>カーブエディターを開きます</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
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
        <translation>%1 の平均</translation>
    </message>
    <message>
        <source>highest of %1</source>
        <translation>%1 の最高</translation>
    </message>
    <message>
        <source>%1 (preset)</source>
        <translation>%1（プリセット）</translation>
    </message>
</context>
<context>
    <name>GraphText</name>
    <message>
        <source>time (UTC)</source>
        <translation>時刻 (UTC)</translation>
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
        <translation>アラート</translation>
    </message>
    <message>
        <source>%1 (°C)</source>
        <translation>%1 (°C)</translation>
    </message>
    <message>
        <source>%1 duty (%)</source>
        <translation>%1 デューティ (%)</translation>
    </message>
    <message>
        <source>%1 (RPM)</source>
        <translation>%1 (RPM)</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>ボックス %1</translation>
    </message>
    <message>
        <source>Fan %1</source>
        <translation>ファン %1</translation>
    </message>
    <message>
        <source>Box %1 fan %2</source>
        <translation>ボックス %1 ファン %2</translation>
    </message>
    <message>
        <source>Every fan</source>
        <translation>すべてのファン</translation>
    </message>
</context>
<context>
    <name>GraphsWindow</name>
    <message>
        <source>Aurivent — graphs</source>
        <translation>Aurivent — グラフ</translation>
    </message>
    <message>
        <source>5 min</source>
        <translation>5 分</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 時間</translation>
    </message>
    <message>
        <source>24 h</source>
        <translation>24 時間</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>CSV に書き出す…</translation>
    </message>
    <message>
        <source>Temperature (°C)</source>
        <translation>温度 (°C)</translation>
    </message>
    <message>
        <source>Duty (%)</source>
        <translation>デューティ (%)</translation>
    </message>
    <message>
        <source>Speed (RPM)</source>
        <translation>回転数 (RPM)</translation>
    </message>
    <message>
        <source>No alerts in this time.</source>
        <translation>この期間にアラートはありません。</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>アラート</translation>
    </message>
    <message>
        <source>Alert ended</source>
        <translation>アラート終了</translation>
    </message>
    <message>
        <source>Shaded: %1 did not answer</source>
        <translation>網掛け: %1 が応答しませんでした</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>CSV に書き出す</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV ファイル (*.csv)</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>ファイルを書き込めませんでした: %1</translation>
    </message>
</context>
<context>
    <name>InfoView</name>
    <message>
        <source>Sensors</source>
        <translation>センサー</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>電圧</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>ファン</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>電流</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>電力</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>クロック</translation>
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
        <translation>なし</translation>
    </message>
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
    <message>
        <source>Fans of this box:</source>
        <translation>このボックスのファン：</translation>
    </message>
    <message>
        <source>12-LED fans</source>
        <translation>12 LED ファン</translation>
    </message>
    <message>
        <source>single-colour fans</source>
        <translation>単色ファン</translation>
    </message>
    <message>
        <source>No controller box found</source>
        <translation>コントローラーボックスが見つかりません</translation>
    </message>
    <message>
        <source>Connect a box by USB. It is found as soon as it is plugged in.</source>
        <translation>USB でボックスを接続してください。接続するとすぐに検出されます。</translation>
    </message>
    <message>
        <source>On Linux, using a box needs the udev rule 70-aurivent.rules (see the README, &quot;Real boxes&quot;); plug the box in again after installing it.</source>
        <translation>Linux でボックスを使うには udev ルール 70-aurivent.rules が必要です（README の「Real boxes」を参照）。インストール後にボックスを挿し直してください。</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>保存しました</translation>
    </message>
    <message>
        <source>Phone access</source>
        <translation>スマホ接続</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>This computer only</source>
        <translation>このコンピューターのみ</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>ネットワーク</translation>
    </message>
    <message>
        <source>The phone app asks for this password before it sends commands. It is not a lock: the program hands it to every device that connects to port 5489. To keep others on the network away from the fans, set Phone access to &quot;This computer only&quot; or &quot;Off&quot;, or block port 5489 in the firewall.</source>
        <translation>スマホアプリはコマンドを送る前にこのパスワードを求めます。これは鍵ではありません。プログラムはポート 5489 に接続したすべての機器にこのパスワードを渡します。ネットワーク上の他の人にファンを操作させないには、「スマホ接続」を「このコンピューターのみ」または「オフ」にするか、ファイアウォールでポート 5489 をブロックしてください。</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>simulated boxes</source>
        <translation>シミュレーションのボックス</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Closes the window; the program goes on in the tray</source>
        <translation>ウィンドウを閉じます。プログラムはトレイで動き続けます</translation>
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
        <translation>言語、更新、パスワード、スマホ接続、ファンの種類</translation>
    </message>
    <message>
        <source>Earlier boxes</source>
        <translation>前のボックス</translation>
    </message>
    <message>
        <source>Later boxes</source>
        <translation>次のボックス</translation>
    </message>
    <message>
        <source>Profile %1</source>
        <translation>プロファイル %1</translation>
    </message>
    <message>
        <source>Keeps the settings shown in the current profile</source>
        <translation>表示中の設定を現在のプロファイルに保存します</translation>
    </message>
    <message>
        <source>Shows what the temperature sensors read</source>
        <translation>温度センサーの値を表示します</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>新しいパスワード</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Keeps the four digits as the new password</source>
        <translation>この4桁を新しいパスワードにします</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Removes the last digit</source>
        <translation>最後の数字を消します</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>未接続</translation>
    </message>
    <message>
        <source>Not answering</source>
        <translation>応答なし</translation>
    </message>
    <message>
        <source>A fan stopped</source>
        <translation>ファンが停止しています</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>接続済み</translation>
    </message>
    <message>
        <source>Box %1</source>
        <translation>ボックス %1</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>グラフ</translation>
    </message>
    <message>
        <source>Menu key or right click: copy the settings shown into this profile</source>
        <translation>メニューキーまたは右クリック: 表示中の設定をこのプロファイルにコピー</translation>
    </message>
    <message>
        <source>Copy the settings shown to PROFILE%1</source>
        <translation>表示中の設定をプロファイル%1にコピー</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>未保存の変更</translation>
    </message>
    <message>
        <source>PROFILE%1 has changes that are not saved. Save them before PROFILE%2 is loaded?</source>
        <translation>プロファイル%1に未保存の変更があります。プロファイル%2を読み込む前に保存しますか？</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>破棄</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Fan curves</source>
        <translation>ファンカーブ</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>全部に</translation>
    </message>
    <message>
        <source>All fans of this box</source>
        <translation>このボックスのすべてのファン</translation>
    </message>
    <message>
        <source>All fans of every box</source>
        <translation>すべてのボックスのすべてのファン</translation>
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
    <message>
        <source>No sound heard: music needs a sound server</source>
        <translation>音が届きません：音楽にはサウンドサーバーが必要です</translation>
    </message>
    <message>
        <source>Opens the panel of a fan that is switched off</source>
        <translation>オフのファンのパネルを開きます</translation>
    </message>
    <message>
        <source>%1 on or off</source>
        <translation>%1 オン/オフ</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>オフにするとパネルが閉じ、ファンの停止を監視しません</translation>
    </message>
    <message>
        <source>LED %1</source>
        <translation>LED %1</translation>
    </message>
    <message>
        <source>Selected LEDs take the colour picked on the palette</source>
        <translation>選んだLEDはパレットで選んだ色になります</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>ファン全速</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>ファン最低速</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature, between 50 % and 100 %</source>
        <translation>ファン速度はCPU温度に従います（50 %～100 %）</translation>
    </message>
    <message>
        <source>Fan speed with PWM</source>
        <translation>PWMのファン速度</translation>
    </message>
    <message>
        <source>From 50 % to 100 %, while PWM is on</source>
        <translation>PWMがオンのとき 50 %～100 %</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>ファン速度</translation>
    </message>
    <message>
        <source>From 0 % to 100 %, while PWM is off</source>
        <translation>PWMがオフのとき 0 %～100 %</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LEDの明るさ</translation>
    </message>
    <message>
        <source>Previous light mode</source>
        <translation>前のライトモード</translation>
    </message>
    <message>
        <source>Next light mode</source>
        <translation>次のライトモード</translation>
    </message>
    <message>
        <source>Previous color mode</source>
        <translation>前のカラーモード</translation>
    </message>
    <message>
        <source>Next color mode</source>
        <translation>次のカラーモード</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>遅く</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>速く</translation>
    </message>
    <message>
        <source>Ends the selection of LEDs</source>
        <translation>LEDの選択を終えます</translation>
    </message>
    <message>
        <source>Puts back the default colours</source>
        <translation>初期の色に戻します</translation>
    </message>
    <message>
        <source>Type a colour as red, green and blue</source>
        <translation>赤・緑・青の値で色を入力します</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>LEDオフ</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>このファンのLEDを消す、または再び点けます</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message>
        <source>0 to 255</source>
        <translation>0～255</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>緑</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>青</translation>
    </message>
    <message>
        <source>Gives the selected LEDs this colour</source>
        <translation>選んだLEDをこの色にします</translation>
    </message>
    <message>
        <source>Closes without changing a colour</source>
        <translation>色を変えずに閉じます</translation>
    </message>
    <message>
        <source>Graphs of %1</source>
        <translation>%1 のグラフ</translation>
    </message>
    <message>
        <source>Temperature, duty and speed over time</source>
        <translation>温度・デューティ・回転数の推移</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>全部に</translation>
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
        <translation>すべてのファンに</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s light mode, colours, light speed and fan speed</source>
        <translation>このボックスのすべてのファンに、このファンのライトモード・色・ライト速度・ファン速度を適用します</translation>
    </message>
    <message>
        <source>Cap %1 %</source>
        <translation>上限 %1 %</translation>
    </message>
    <message>
        <source>No CPU temp.</source>
        <translation>CPU温度なし</translation>
    </message>
    <message>
        <source>By CPU: %1 %</source>
        <translation>CPU連動: %1 %</translation>
    </message>
</context>
<context>
    <name>SaveFailureNotice</name>
    <message>
        <source>Save failed</source>
        <translation>保存できませんでした</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>設定を %1 に書き込めませんでした。</translation>
    </message>
    <message>
        <source>The phone access setting in Device.ini could not be read: only this computer can reach the phone server until you choose again in the settings menu.</source>
        <translation>Device.ini のスマホ接続の設定を読み込めませんでした。設定メニューで選び直すまで、スマホサーバーにはこのコンピューターからのみ接続できます。</translation>
    </message>
    <message>
        <source>Some settings in Device.ini could not be read and were set to their safe choice: %1.</source>
        <translation>Device.ini の一部の設定を読み込めなかったため、安全な値にしました: %1。</translation>
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
        <translation>ファイルを開く</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Open Aurivent</source>
        <translation>Aurivent を開く</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Start Aurivent at log-in</source>
        <translation>ログイン時に Aurivent を起動</translation>
    </message>
    <message>
        <source>not with simulated boxes</source>
        <translation>シミュレーション中は使えません</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>グラフ</translation>
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
    <message>
        <source>%1 on or off</source>
        <translation>%1 オン/オフ</translation>
    </message>
    <message>
        <source>Switched off, the panel is closed and the fan is not watched for stops</source>
        <translation>オフにするとパネルが閉じ、ファンの停止を監視しません</translation>
    </message>
    <message>
        <source>Full fan speed</source>
        <translation>ファン全速</translation>
    </message>
    <message>
        <source>Lowest fan speed</source>
        <translation>ファン最低速</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>The fan speed follows the CPU temperature</source>
        <translation>ファン速度はCPU温度に従います</translation>
    </message>
    <message>
        <source>Fan speed</source>
        <translation>ファン速度</translation>
    </message>
    <message>
        <source>RGB cycle</source>
        <translation>RGBサイクル</translation>
    </message>
    <message>
        <source>The colours cycle through the rainbow</source>
        <translation>色が虹のように移り変わります</translation>
    </message>
    <message>
        <source>LEDs off</source>
        <translation>LEDオフ</translation>
    </message>
    <message>
        <source>Switches the LEDs of this fan off or on again</source>
        <translation>このファンのLEDを消す、または再び点けます</translation>
    </message>
    <message>
        <source>The colour blinks</source>
        <translation>色が点滅します</translation>
    </message>
    <message>
        <source>Copy fan 1</source>
        <translation>ファン1をコピー</translation>
    </message>
    <message>
        <source>Takes over the lighting of fan 1</source>
        <translation>ファン1のライティングを使います</translation>
    </message>
    <message>
        <source>LED brightness</source>
        <translation>LEDの明るさ</translation>
    </message>
    <message>
        <source>Brightest at the left</source>
        <translation>左端がいちばん明るい</translation>
    </message>
    <message>
        <source>To all</source>
        <translation>全部に</translation>
    </message>
    <message>
        <source>To all fans</source>
        <translation>すべてのファンに</translation>
    </message>
    <message>
        <source>Gives every fan of this box this fan&apos;s colour, lighting, brightness and fan speed</source>
        <translation>このファンの色、点灯、明るさ、回転速度をこのボックスのすべてのファンに適用します</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Aurivent already runs in the background without a window (the aurivent service) and drives the fans. Only one Aurivent can drive them at a time. To use the window, stop the service first:
systemctl --user stop aurivent.service</source>
        <translation>Aurivent はすでにウィンドウなしでバックグラウンドで動作しています（aurivent サービス）。ファンを制御できる Aurivent は同時に一つだけです。ウィンドウを使うには、先にサービスを停止してください:
systemctl --user stop aurivent.service</translation>
    </message>
</context>
</TS>
