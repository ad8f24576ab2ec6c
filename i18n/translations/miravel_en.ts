<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Buttons</name>
    <message>
        <source>[ 上に回転 ]</source>
        <translation>[ Rotate up ]</translation>
    </message>
    <message>
        <source>[ 下に回転 ]</source>
        <translation>[ Rotate down ]</translation>
    </message>
    <message>
        <source>[ 左に回転 ]</source>
        <translation>[ Rotate left ]</translation>
    </message>
    <message>
        <source>[ 右に回転 ]</source>
        <translation>[ Rotate right ]</translation>
    </message>
    <message>
        <source>[ 上に移動 ]</source>
        <translation>[ Move up ]</translation>
    </message>
    <message>
        <source>[ 下に移動 ]</source>
        <translation>[ Move down ]</translation>
    </message>
    <message>
        <source>[ 左に移動 ]</source>
        <translation>[ Move left ]</translation>
    </message>
    <message>
        <source>[ 右に移動 ]</source>
        <translation>[ Move right ]</translation>
    </message>
    <message>
        <source>[ 拡大 ]</source>
        <translation>[ Zoom in ]</translation>
    </message>
    <message>
        <source>[ 縮小 ]</source>
        <translation>[ Zoom out ]</translation>
    </message>
    <message>
        <source>[ 戻る ]</source>
        <translation>[ Undo ]</translation>
    </message>
    <message>
        <source>[ 進む ]</source>
        <translation>[ Redo ]</translation>
    </message>
    <message>
        <source>[ 照準 ]
左クリック - 表示・非表示切替
左ダブルクリック - 色変更
右クリック - 色変更</source>
        <translation>[ Sight ]
Left click - Show or hide
Left double-click - Change colour
Right click - Change colour</translation>
    </message>
    <message>
        <source>[ 座標軸 ]
左クリック - 表示・非表示切替</source>
        <translation>[ Axes ]
Left click - Show or hide</translation>
    </message>
    <message>
        <source>[ 地面 ]
左クリック - 表示・非表示切替
左ダブルクリック - 色変更
右クリック - 色変更</source>
        <translation>[ Ground ]
Left click - Show or hide
Left double-click - Change colour
Right click - Change colour</translation>
    </message>
    <message>
        <source>[ 枠 ]
左クリック - 表示・非表示切替
左ダブルクリック - 色変更
右クリック - 色変更</source>
        <translation>[ Frame ]
Left click - Show or hide
Left double-click - Change colour
Right click - Change colour</translation>
    </message>
    <message>
        <source>[ 背景 ]
左クリック - 表示・非表示切替
左ダブルクリック - 色変更
右クリック - 色変更</source>
        <translation>[ Background ]
Left click - Show or hide
Left double-click - Change colour
Right click - Change colour</translation>
    </message>
    <message>
        <source>[ キャンバス ]
左クリック - 表示・非表示切替
左ダブルクリック - 色変更
右クリック - 色変更</source>
        <translation>[ Canvas ]
Left click - Show or hide
Left double-click - Change colour
Right click - Change colour</translation>
    </message>
    <message>
        <source>[ コピー ]
左クリック - コピーレイヤー選択
左ダブルクリック - コピーレイヤー解除
右クリック - コピーレイヤー解除</source>
        <translation>[ Copy ]
Left click - Mark the layer to copy
Left double-click - Clear the copied layer
Right click - Clear the copied layer</translation>
    </message>
    <message>
        <source>[ 貼り付け ]
左クリック - 選択レイヤーに貼り付け
左ダブルクリック - 全レイヤーに貼り付け
右クリック - 全レイヤーに貼り付け</source>
        <translation>[ Paste ]
Left click - Paste into the canvas layer
Left double-click - Paste into every layer
Right click - Paste into every layer</translation>
    </message>
    <message>
        <source>[ キューブ ]
左クリック - キューブ表示モード切替
左ダブルクリック - 色変更
右クリック - 色変更</source>
        <translation>[ Cubes ]
Left click - Switch how cubes are drawn
Left double-click - Change colour
Right click - Change colour</translation>
    </message>
    <message>
        <source>[ キューブ ]
左クリック - 色選択
左ダブルクリック - 色変更
右クリック - 色変更</source>
        <translation>[ Cubes ]
Left click - Choose this colour
Left double-click - Change colour
Right click - Change colour</translation>
    </message>
    <message>
        <source>[ キャンバス ]
左クリック - 切り替え</source>
        <translation>[ Canvas ]
Left click - Turn to the next axis</translation>
    </message>
    <message>
        <source>[ キャンバス ]
左クリック - 手前に移動</source>
        <translation>[ Canvas ]
Left click - Move nearer</translation>
    </message>
    <message>
        <source>[ キャンバス ]
左クリック - 奥に移動</source>
        <translation>[ Canvas ]
Left click - Move farther</translation>
    </message>
    <message>
        <source>[ 各種設定 ]</source>
        <translation>[ Settings ]</translation>
    </message>
    <message>
        <source>  オルヴェンデイル  </source>
        <translation>  User guide  </translation>
    </message>
    <message>
        <source>[ スクリーンショット ]</source>
        <translation>[ Screenshot ]</translation>
    </message>
    <message>
        <source>[ 描画モード切替 ]
キャンバスモード⇔アタッチモード

キャンバスモード：絵をキャンバスに描くようにキューブを配置
アタッチモード：キューブ同士をくっつけてキューブを配置</source>
        <translation>[ Drawing mode ]
Canvas mode ⇔ Attach mode

Canvas mode: place cubes as if drawing a picture on the canvas
Attach mode: place cubes by sticking them onto other cubes</translation>
    </message>
    <message>
        <source>[ 照明 ]
左クリック - 照明ON/OFF
左ダブルクリック - 照明位置切り替え
右クリック - 照明位置切り替え</source>
        <translation>[ Light ]
Left click - Light on/off
Left double-click - Next light position
Right click - Next light position</translation>
    </message>
</context>
<context>
    <name>CCubeRateDlg</name>
    <message>
        <source>キューブ&#x3000;比率</source>
        <translation>Cube Ratio</translation>
    </message>
</context>
<context>
    <name>CCubeSizeDlg</name>
    <message>
        <source>キューブ&#x3000;サイズ</source>
        <translation>Cube Size</translation>
    </message>
    <message>
        <source>合計</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>キューブの合計を 1～%1 の間に設定して下さい</source>
        <translation>Set the total number of cubes between 1 and %1</translation>
    </message>
</context>
<context>
    <name>CDelayedProgress</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CLargeGridDlg</name>
    <message>
        <source>大きなグリッドのサイズ</source>
        <translation>Large Grid Size</translation>
    </message>
    <message>
        <source>合計</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>各辺を 1～%1、キューブの合計を %2 以下に設定して下さい</source>
        <translation>Set each side between 1 and %1 and the total number of cubes to at most %2</translation>
    </message>
</context>
<context>
    <name>CLineWidthDlg</name>
    <message>
        <source>線幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>スタティック</source>
        <translation>Static</translation>
    </message>
    <message>
        <source>線幅を 1～%1 の間に設定して下さい</source>
        <translation>Set the line width between 1 and %1</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>印刷を開始できませんでした。</source>
        <translation>Printing could not be started.</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>ツール バー</source>
        <translation>Toolbar</translation>
    </message>
</context>
<context>
    <name>CMiravelView</name>
    <message>
        <source>表示を準備しています...</source>
        <translation>Preparing the view...</translation>
    </message>
</context>
<context>
    <name>CPalettePanel</name>
    <message>
        <source>パレットを開く</source>
        <translation>Open Palette</translation>
    </message>
    <message>
        <source>パレットを保存</source>
        <translation>Save Palette</translation>
    </message>
    <message>
        <source>パレット</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>ユーザー パレット</source>
        <translation>User palette</translation>
    </message>
    <message>
        <source>モデルのパレット</source>
        <translation>Model palette</translation>
    </message>
    <message>
        <source>現在の色をユーザー パレットに追加</source>
        <translation>Add the current colour to the user palette</translation>
    </message>
    <message>
        <source>選んだ色をユーザー パレットから削除</source>
        <translation>Remove the selected colour from the user palette</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>この色のキューブを現在の色に置き換え(&amp;R)</source>
        <translation>&amp;Recolour the cubes of this colour with the current colour</translation>
    </message>
    <message>
        <source>色を変更(&amp;E)...</source>
        <translation>&amp;Edit Colour...</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>パレットに色がありません。</source>
        <translation>The palette has no colours.</translation>
    </message>
</context>
<context>
    <name>CParamDialog</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CViewCommandUi</name>
    <message>
        <source>モデルを変更しています...</source>
        <translation>Changing the model...</translation>
    </message>
</context>
<context>
    <name>CommandDispatcher</name>
    <message>
        <source>選択されたレイヤーを全てのレイヤーに適用しますか？</source>
        <translation>Apply the selected layer to every layer?</translation>
    </message>
    <message>
        <source>全てのキューブを消去しますか？</source>
        <translation>Clear all cubes?</translation>
    </message>
    <message>
        <source>キューブ</source>
        <translation>Cubes</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>キャンバス</source>
        <translation>Canvas</translation>
    </message>
    <message>
        <source>照準</source>
        <translation>Sight</translation>
    </message>
    <message>
        <source>座標軸</source>
        <translation>Axes</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>ビュー初期状態</source>
        <translation>Default View</translation>
    </message>
    <message>
        <source>カラー ボタン</source>
        <translation>Colour Buttons</translation>
    </message>
    <message>
        <source>コントロール ボタン</source>
        <translation>Control Buttons</translation>
    </message>
    <message>
        <source>キューブのサイズ(X,Y,Z)を変更</source>
        <translation>Change the Grid Size (X, Y, Z)</translation>
    </message>
    <message>
        <source>キューブの比率を変更</source>
        <translation>Change the Cube Ratio</translation>
    </message>
    <message>
        <source>キューブをクリア</source>
        <translation>Clear All Cubes</translation>
    </message>
    <message>
        <source>照明</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>照明位置切替</source>
        <translation>Next Light Position</translation>
    </message>
    <message>
        <source>ワイヤーフレーム</source>
        <translation>Wireframe</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>キャンバス</source>
        <translation>Canvas</translation>
    </message>
    <message>
        <source>照準</source>
        <translation>Sight</translation>
    </message>
    <message>
        <source>座標軸</source>
        <translation>Axes</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>エクスポート(&amp;E)</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ツール バーとドッキング ウィンドウ(&amp;T)</source>
        <translation>&amp;Toolbars and Docking Windows</translation>
    </message>
    <message>
        <source>アプリケーションの外観(&amp;A)</source>
        <translation>&amp;Application Look</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ボタン 配置</source>
        <translation>Button Placement</translation>
    </message>
    <message>
        <source>ボタン 表示切替</source>
        <translation>Show Buttons</translation>
    </message>
    <message>
        <source>線幅</source>
        <translation>Line Width</translation>
    </message>
    <message>
        <source>スポイト(&amp;I)	Ctrl+左クリック</source>
        <translation>&amp;Eyedropper	Ctrl+Left Click</translation>
    </message>
    <message>
        <source>塗りつぶし(&amp;F)	Ctrl+Shift+左クリック</source>
        <translation>&amp;Fill	Ctrl+Shift+Left Click</translation>
    </message>
    <message>
        <source>色の置き換え(&amp;R)</source>
        <translation>&amp;Replace Colour</translation>
    </message>
    <message>
        <source>X で鏡写し描画(&amp;X)</source>
        <translation>Mirror Painting Across &amp;X</translation>
    </message>
    <message>
        <source>Z で鏡写し描画(&amp;Z)</source>
        <translation>Mirror Painting Across &amp;Z</translation>
    </message>
    <message>
        <source>モデルを移動 +X(&amp;1)</source>
        <translation>Move Model +X (&amp;1)</translation>
    </message>
    <message>
        <source>モデルを移動 -X(&amp;2)</source>
        <translation>Move Model -X (&amp;2)</translation>
    </message>
    <message>
        <source>モデルを移動 +Y(&amp;3)</source>
        <translation>Move Model +Y (&amp;3)</translation>
    </message>
    <message>
        <source>モデルを移動 -Y(&amp;4)</source>
        <translation>Move Model -Y (&amp;4)</translation>
    </message>
    <message>
        <source>モデルを移動 +Z(&amp;5)</source>
        <translation>Move Model +Z (&amp;5)</translation>
    </message>
    <message>
        <source>モデルを移動 -Z(&amp;6)</source>
        <translation>Move Model -Z (&amp;6)</translation>
    </message>
    <message>
        <source>右に 90° 回転(&amp;T)</source>
        <translation>Rotate 90° Righ&amp;t</translation>
    </message>
    <message>
        <source>左に 90° 回転(&amp;L)</source>
        <translation>Rotate 90° &amp;Left</translation>
    </message>
    <message>
        <source>X で反転(&amp;H)</source>
        <translation>Flip Across X (&amp;H)</translation>
    </message>
    <message>
        <source>Z で反転(&amp;V)</source>
        <translation>Flip Across Z (&amp;V)</translation>
    </message>
    <message>
        <source>グリッドをモデルに合わせる(&amp;G)</source>
        <translation>Fit &amp;Grid to Model</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>開く(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>インポート(&amp;I)...</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>メニュー バー(&amp;M)</source>
        <translation>&amp;Menu Bar</translation>
    </message>
    <message>
        <source>ブルー スタイル(&amp;B)</source>
        <translation>&amp;Blue Style</translation>
    </message>
    <message>
        <source>ブラック スタイル(&amp;L)</source>
        <translation>B&amp;lack Style</translation>
    </message>
    <message>
        <source>シルバー スタイル(&amp;S)</source>
        <translation>&amp;Silver Style</translation>
    </message>
    <message>
        <source>アクア スタイル(&amp;A)</source>
        <translation>&amp;Aqua Style</translation>
    </message>
    <message>
        <source>バージョン情報 Miravel(&amp;A)...</source>
        <translation>&amp;About Miravel...</translation>
    </message>
    <message>
        <source>ヘルプ (オルヴェンデイル HPへ)</source>
        <translation>User Guide</translation>
    </message>
    <message>
        <source>パレット(&amp;P)</source>
        <translation>&amp;Palette</translation>
    </message>
    <message>
        <source>パレットを開く(&amp;O)...</source>
        <translation>&amp;Open Palette...</translation>
    </message>
    <message>
        <source>パレットを保存(&amp;S)...</source>
        <translation>&amp;Save Palette...</translation>
    </message>
    <message>
        <source>パレットの色に置き換え(&amp;M)</source>
        <translation>Re&amp;map to Palette</translation>
    </message>
    <message>
        <source>パレットの先頭 16 色をボタンに(&amp;B)</source>
        <translation>First 16 Palette Colours to the &amp;Buttons</translation>
    </message>
    <message>
        <source>ボタンの色をユーザー パレットに追加(&amp;U)</source>
        <translation>Add the Buttons&apos; Colours to the &amp;User Palette</translation>
    </message>
    <message>
        <source>大きなグリッドのサイズ(&amp;S)...</source>
        <translation>Large Grid &amp;Size...</translation>
    </message>
    <message>
        <source>選択範囲(&amp;Y)</source>
        <translation>Sel&amp;ection</translation>
    </message>
    <message>
        <source>すべて選択(&amp;A)	Ctrl+A</source>
        <translation>Select &amp;All	Ctrl+A</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>コピー(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>貼り付けを置く(&amp;O)	Enter</source>
        <translation>Put D&amp;own the Paste	Enter</translation>
    </message>
    <message>
        <source>削除(&amp;D)	Delete</source>
        <translation>&amp;Delete	Delete</translation>
    </message>
    <message>
        <source>現在の色で塗りつぶす(&amp;F)</source>
        <translation>&amp;Fill with the Current Colour</translation>
    </message>
    <message>
        <source>グリッドを選択範囲に切り詰める(&amp;R)</source>
        <translation>C&amp;rop the Grid to the Selection</translation>
    </message>
    <message>
        <source>ペン(&amp;P)</source>
        <translation>&amp;Pen</translation>
    </message>
    <message>
        <source>箱(&amp;K)</source>
        <translation>Bo&amp;x</translation>
    </message>
    <message>
        <source>直線(&amp;N)</source>
        <translation>Li&amp;ne</translation>
    </message>
    <message>
        <source>楕円(&amp;E)</source>
        <translation>Ell&amp;ipse</translation>
    </message>
    <message>
        <source>中空の箱と楕円(&amp;W)</source>
        <translation>Hollo&amp;w Boxes and Ellipses</translation>
    </message>
    <message>
        <source>ツール バー(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>ストロークを元に戻す(&amp;S)</source>
        <translation>Undo &amp;stroke</translation>
    </message>
    <message>
        <source>ストロークをやり直し(&amp;T)</source>
        <translation>Redo s&amp;troke</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>範囲選択(&amp;C)</source>
        <translation>Sele&amp;ct</translation>
    </message>
</context>
<context>
    <name>ConvertTexts</name>
    <message>
        <source>ファイルがありません</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>フォルダーです。モデルのファイルではありません</source>
        <translation>is a folder, not a model file</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>is not a regular file</translation>
    </message>
    <message>
        <source>読み込めません (アクセスが許可されていません)</source>
        <translation>cannot be read (permission denied)</translation>
    </message>
    <message>
        <source>フォルダーです。出力にはファイルの名前が要ります</source>
        <translation>is a folder; the output must be a file name</translation>
    </message>
    <message>
        <source>フォルダー %1 がありません</source>
        <translation>the folder %1 does not exist</translation>
    </message>
    <message>
        <source>%1 はフォルダーではなくファイルです</source>
        <translation>%1 is a file, not a folder</translation>
    </message>
    <message>
        <source>%1 のシンボリックリンクが循環しています</source>
        <translation>the symbolic links of %1 go round in a loop</translation>
    </message>
    <message>
        <source>%1 のシンボリックリンクの先がありません</source>
        <translation>the symbolic link %1 leads to nothing</translation>
    </message>
    <message>
        <source>出力フォルダー %1 を作れません: %2</source>
        <translation>the output folder %1 cannot be made: %2</translation>
    </message>
    <message>
        <source>変換しません。出力 %1 は入力 %2 と同じファイルです (入力は上書きしません)</source>
        <translation>not converted: its output %1 is the input %2 (inputs are never written over)</translation>
    </message>
    <message>
        <source>変換しません。出力 %1 は %2 の出力と同じファイルです</source>
        <translation>not converted: its output %1 is already %2&apos;s</translation>
    </message>
    <message>
        <source>%1 の画像を書き出す手段がありません</source>
        <translation>no encoder for %1 is installed</translation>
    </message>
    <message>
        <source>画像を書き出せませんでした</source>
        <translation>the picture could not be written</translation>
    </message>
    <message>
        <source>書き出せませんでした</source>
        <translation>could not be written</translation>
    </message>
    <message>
        <source>モデルは %1×%2×%3 です。エディターが扱えるのは %4 のグリッドです</source>
        <translation>the model is %1x%2x%3; the editor takes grids with %4</translation>
    </message>
    <message>
        <source>入力の形式ではありません (入力は %1 のファイルです)</source>
        <translation>not an input format (inputs are %1 files)</translation>
    </message>
    <message>
        <source>.%1 ファイルとして読めません</source>
        <translation>not a readable .%1 file</translation>
    </message>
    <message>
        <source>%1,%2,%3 の移動ではキューブがグリッド (%4) の外に出ます</source>
        <translation>a move by %1,%2,%3 would push cubes out of the grid (%4)</translation>
    </message>
    <message>
        <source>%1 から %2 までの切り取りはグリッド (%3) の中にありません</source>
        <translation>the crop from %1 to %2 is not inside the grid (%3)</translation>
    </message>
    <message>
        <source>グリッドを %1×%2×%3 にすると %4 個のキューブが外に残ります (切り取るには --crop を使います)</source>
        <translation>a %1×%2×%3 grid would leave %4 cubes outside it (use --crop to cut them away)</translation>
    </message>
    <message>
        <source>グリッドを %1×%2×%3 にはできません (%4 のグリッドだけです)</source>
        <translation>the grid cannot be %1×%2×%3 (a grid has %4)</translation>
    </message>
    <message>
        <source>モデルの色は %1 色です。パレットファイルには 255 色までしか書けません</source>
        <translation>the model has %1 colours; a palette file holds at most 255</translation>
    </message>
</context>
<context>
    <name>CubeClipboard</name>
    <message>
        <source>クリップボードのキューブを読めません: %1</source>
        <translation>The cubes on the clipboard cannot be read: %1</translation>
    </message>
    <message>
        <source>形式が違います。</source>
        <translation>they are not in the expected form.</translation>
    </message>
    <message>
        <source>版 %1 には対応していません。</source>
        <translation>version %1 is not supported.</translation>
    </message>
    <message>
        <source>大きさ %1×%2×%3 は扱えません。</source>
        <translation>a size of %1×%2×%3 cannot be held.</translation>
    </message>
    <message>
        <source>キューブの数とデータの長さが合いません。</source>
        <translation>the number of cubes does not match the length of the data.</translation>
    </message>
    <message>
        <source>キューブが箱の外にあります。</source>
        <translation>a cube lies outside its box.</translation>
    </message>
    <message>
        <source>同じセルにキューブが二つあります。</source>
        <translation>two cubes share one cell.</translation>
    </message>
</context>
<context>
    <name>DefaultViewPicture</name>
    <message>
        <source>画像の大きさは一辺 1 から %1 ピクセルです</source>
        <translation>picture size must be 1 to %1 pixels a side</translation>
    </message>
    <message>
        <source>描いた画像を読み出せません</source>
        <translation>the picture could not be read back</translation>
    </message>
</context>
<context>
    <name>ExchangeMessages</name>
    <message>
        <source>モデルの大きさ %1 が正しくありません。</source>
        <translation>The model size %1 is not valid.</translation>
    </message>
    <message>
        <source>色数を %1 色から %2 色に減らしました。</source>
        <translation>The colours were reduced from %1 to %2.</translation>
    </message>
    <message>
        <source>.vox ファイルではありません。</source>
        <translation>This is not a .vox file.</translation>
    </message>
    <message>
        <source>この .vox ファイルの版 (%1) には対応していません。</source>
        <translation>This version of the .vox format (%1) is not supported.</translation>
    </message>
    <message>
        <source>.vox ファイルが壊れているため読み込めません。
%1</source>
        <translation>The .vox file is damaged and cannot be read.
%1</translation>
    </message>
    <message>
        <source>ファイルを読み込めませんでした。
%1
%2</source>
        <translation>The file could not be read.
%1
%2</translation>
    </message>
    <message>
        <source>ファイルが大きすぎるため読み込めません。
%1</source>
        <translation>The file is too large to read.
%1</translation>
    </message>
    <message>
        <source>ファイルを書き出せませんでした。
%1
%2</source>
        <translation>The file could not be written.
%1
%2</translation>
    </message>
    <message>
        <source>キューブが一つもないため、メッシュを書き出せません。</source>
        <translation>There are no cubes, so no mesh can be written.</translation>
    </message>
    <message>
        <source>書き出しを中止しました。</source>
        <translation>The export was cancelled.</translation>
    </message>
    <message>
        <source>この形式はここでは書き出せません。</source>
        <translation>This format cannot be written here.</translation>
    </message>
    <message>
        <source>このモデルのメッシュは %1 個以上の三角形になるため、書き出せません。
(書き出せるのは %2 個までです)</source>
        <translation>The mesh of this model would have at least %1 triangles, so it cannot be written.
(At most %2 can be written.)</translation>
    </message>
    <message>
        <source>モデルの大きさ %1 (ファイルの軸では %2、%3 セル) は大きすぎるため読み込めません。
(%4 のモデルだけを読み込めます)</source>
        <translation>The model size %1 (%2 in the file&apos;s own axes, %3 cells) is too large to be read.
(Only models with %4 can be read.)</translation>
    </message>
</context>
<context>
    <name>ExchangeTexts</name>
    <message>
        <source>インポート</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>エクスポート</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>出力中...</source>
        <translation>Exporting...</translation>
    </message>
    <message>
        <source>出力できませんでした</source>
        <translation>The export failed</translation>
    </message>
    <message>
        <source>インポートできませんでした。
</source>
        <translation>The import failed.
</translation>
    </message>
    <message>
        <source>モデルが大きすぎるため、読み込めません。
(%1 のモデルだけを扱えます)</source>
        <translation>The model is too large to read.
(Only models with %1 can be used.)</translation>
    </message>
</context>
<context>
    <name>FileErrorText</name>
    <message>
        <source>ディスクに空きがありません</source>
        <translation>no space left on device</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです</source>
        <translation>read-only file system</translation>
    </message>
    <message>
        <source>アクセスが許可されていません</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>そのようなファイルやフォルダーはありません</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>途中にフォルダーではないものがあります</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>フォルダーです</source>
        <translation>is a folder</translation>
    </message>
    <message>
        <source>シンボリックリンクが循環しています</source>
        <translation>symbolic links go round in a loop</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation>file name too long</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>入出力エラーが起きました</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます</source>
        <translation>too many open files</translation>
    </message>
</context>
<context>
    <name>FileFormats</name>
    <message>
        <source>VOX 形式 (*.vox)(&amp;V)...</source>
        <translation>&amp;VOX Format (*.vox)...</translation>
    </message>
    <message>
        <source>glTF 形式 (*.gltf)(&amp;G)...</source>
        <translation>&amp;glTF Format (*.gltf)...</translation>
    </message>
    <message>
        <source>glTF バイナリ形式 (*.glb)(&amp;B)...</source>
        <translation>glTF &amp;Binary Format (*.glb)...</translation>
    </message>
    <message>
        <source>OBJ 形式 (*.obj)(&amp;O)...</source>
        <translation>&amp;OBJ Format (*.obj)...</translation>
    </message>
    <message>
        <source>PLY 形式 (*.ply)(&amp;P)...</source>
        <translation>&amp;PLY Format (*.ply)...</translation>
    </message>
    <message>
        <source>STL 形式 (*.stl)(&amp;S)...</source>
        <translation>&amp;STL Format (*.stl)...</translation>
    </message>
    <message>
        <source>パレットファイル</source>
        <translation>Palette files</translation>
    </message>
</context>
<context>
    <name>GuideTexts</name>
    <message>
        <source>ブラウザーを起動できませんでした。
ユーザーガイドは次の場所にあります。
%1</source>
        <translation>No web browser could be started.
The user guide is here:
%1</translation>
    </message>
    <message>
        <source>ユーザーガイドが見つかりません。
MIRA-VEL をインストールし直してください。</source>
        <translation>The user guide was not found.
Please install MIRA-VEL again.</translation>
    </message>
</context>
<context>
    <name>HeadlessGL</name>
    <message>
        <source>ディスプレイなしで OpenGL を始められません: %1</source>
        <translation>OpenGL cannot start without a display: %1</translation>
    </message>
    <message>
        <source>%1×%2 のフレームバッファーを作れません</source>
        <translation>no %1x%2 framebuffer could be created</translation>
    </message>
</context>
<context>
    <name>MeshExport</name>
    <message>
        <source>PLY の頂点の並びが想定と違います。</source>
        <translation>The PLY vertices are not in the expected order.</translation>
    </message>
    <message>
        <source>付属ファイルの名前を決められません。</source>
        <translation>No name could be found for the accompanying file.</translation>
    </message>
</context>
<context>
    <name>ModelMessages</name>
    <message>
        <source>mvfファイルではありません</source>
        <translation>This is not an mvf file</translation>
    </message>
    <message>
        <source>ファイルが途中で切れているため、開けません。</source>
        <translation>The file is cut short and cannot be opened.</translation>
    </message>
    <message>
        <source>ファイルを開けませんでした。
%1
%2</source>
        <translation>The file could not be opened.
%1
%2</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。
%1
%2</source>
        <translation>The file could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>同じ名前のフォルダーがあります。</source>
        <translation>A folder of the same name exists.</translation>
    </message>
    <message>
        <source>%1 はフォルダーではなくファイルです。</source>
        <translation>%1 is a file, not a folder.</translation>
    </message>
    <message>
        <source>各辺 1 以上で合計 %1 セル以下、または各辺 %2 以下で合計 %3 セル以下</source>
        <translation>every side at least 1 and at most %1 cells in all, or every side at most %2 and at most %3 cells in all</translation>
    </message>
    <message>
        <source>キューブのサイズが正しくないため、このファイルは開けません。
(%1 のモデルだけを開けます)</source>
        <translation>The grid size is not valid, so this file cannot be opened.
(Only models with %1 can be opened.)</translation>
    </message>
</context>
<context>
    <name>PaletteFile</name>
    <message>
        <source>パレットの色が %1 色あります。読み込めるのは %2 色までです。</source>
        <translation>The palette has %1 colours; at most %2 can be read.</translation>
    </message>
    <message>
        <source>パレットファイルの %1 行目が読めません。</source>
        <translation>Line %1 of the palette file cannot be read.</translation>
    </message>
    <message>
        <source>パレットファイルに色がありません。</source>
        <translation>The palette file has no colours.</translation>
    </message>
    <message>
        <source>GIMP パレットファイルではありません。</source>
        <translation>This is not a GIMP palette file.</translation>
    </message>
    <message>
        <source>画像として読めません。</source>
        <translation>This cannot be read as an image.</translation>
    </message>
    <message>
        <source>画像が大きすぎます (%1×%2 ピクセル)。</source>
        <translation>The image is too large (%1×%2 pixels).</translation>
    </message>
    <message>
        <source>Adobe カラーテーブルは 768 か 772 バイトです (このファイルは %1 バイト)。</source>
        <translation>An Adobe colour table is 768 or 772 bytes long (this file has %1 bytes).</translation>
    </message>
    <message>
        <source>Adobe カラーテーブルの色数 %1 が正しくありません。</source>
        <translation>The colour count %1 of the Adobe colour table is wrong.</translation>
    </message>
    <message>
        <source>パレットファイルの形式が分かりません。</source>
        <translation>The palette file&apos;s format is not known.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>パレットに色がありません。</source>
        <translation>The palette has no colours.</translation>
    </message>
    <message>
        <source>パレットの色が %1 色あります。書き出せるのは %2 色までです。</source>
        <translation>The palette has %1 colours; at most %2 can be written.</translation>
    </message>
</context>
<context>
    <name>RecoveryTexts</name>
    <message>
        <source>前回の MIRA-VEL は正しく終了しなかったため、保存されていない変更が残っています。

%1
(%2 に自動保存)

この変更を復元しますか？
「いいえ」を選ぶと、この変更は破棄されます。</source>
        <translation>MIRA-VEL did not end properly last time, and unsaved changes were kept.

%1
(saved automatically at %2)

Do you want to restore these changes?
If you choose &quot;No&quot;, the changes are thrown away.</translation>
    </message>
    <message>
        <source>自動保存された変更が壊れているため、復元できません。
%1

このファイルは次の名前で残してあります。
%2</source>
        <translation>The automatically saved changes are damaged and cannot be restored.
%1

The file was kept under this name:
%2</translation>
    </message>
    <message>
        <source>元のファイル名を記録したファイルがありません。</source>
        <translation>The file that records the original file name is missing.</translation>
    </message>
    <message>
        <source>元のファイル名を記録したファイルが読めません。</source>
        <translation>The file that records the original file name cannot be read.</translation>
    </message>
    <message>
        <source>自動保存用のロックを取得できません。</source>
        <translation>The lock for automatic saving cannot be taken.</translation>
    </message>
</context>
<context>
    <name>ScreenshotTexts</name>
    <message>
        <source>スクリーンショット</source>
        <translation>Screenshot</translation>
    </message>
    <message>
        <source>出力中...</source>
        <translation>Exporting...</translation>
    </message>
    <message>
        <source>データを取得しています</source>
        <translation>Reading the picture</translation>
    </message>
    <message>
        <source>保存しています</source>
        <translation>Saving</translation>
    </message>
    <message>
        <source>出力できませんでした</source>
        <translation>The export failed</translation>
    </message>
</context>
<context>
    <name>SelectionEditing</name>
    <message>
        <source>貼り付け %1 (キューブ %2 個): Ctrl+Shift+矢印、PageUp、PageDown かドラッグで動かし、Enter で置きます。Esc で取り消します。</source>
        <translation>Paste %1 (%2 cubes): move it with Ctrl+Shift+arrows, Page Up, Page Down or a drag; Enter puts it down, Esc cancels it.</translation>
    </message>
    <message>
        <source>選択範囲 %1 (%2 セル)</source>
        <translation>Selection %1 (%2 cells)</translation>
    </message>
    <message>
        <source>ドラッグで範囲を選択します。Ctrl+A で全体を選択します。</source>
        <translation>Drag to select a box; Ctrl+A selects the whole grid.</translation>
    </message>
    <message>
        <source>貼り付けたキューブのうち %1 個はグリッドの外に出たため置きませんでした。</source>
        <translation>%1 pasted cubes fell outside the grid and were not put down.</translation>
    </message>
</context>
<context>
    <name>ShellTexts</name>
    <message>
        <source>ミラヴェル</source>
        <translation>Miravel</translation>
    </message>
    <message>
        <source>%1 への変更を保存しますか？</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>表示の言語は、MIRA-VEL を次に起動したときに切り替わります。</source>
        <translation>The new language shows the next time MIRA-VEL starts.</translation>
    </message>
    <message>
        <source>バージョン情報 MIRA-VEL</source>
        <translation>About MIRA-VEL</translation>
    </message>
    <message>
        <source>%1 を読み込んでいます...</source>
        <translation>Reading %1...</translation>
    </message>
    <message>
        <source>%1 を保存しています...</source>
        <translation>Saving %1...</translation>
    </message>
</context>
<context>
    <name>ToolCommands</name>
    <message>
        <source>グリッドの外に出るキューブがあるため、モデルを移動できません。</source>
        <translation>The model cannot be moved: some cubes would leave the grid.</translation>
    </message>
    <message>
        <source>グリッドの外に出るキューブがあるため、選択範囲を動かせません。</source>
        <translation>The selection cannot move: some cubes would leave the grid.</translation>
    </message>
</context>
<context>
    <name>VoxReader</name>
    <message>
        <source>MAIN チャンクがありません。</source>
        <translation>The MAIN chunk is missing.</translation>
    </message>
    <message>
        <source>MAIN チャンクの長さがファイルの残りを超えています。</source>
        <translation>The MAIN chunk is longer than the rest of the file.</translation>
    </message>
    <message>
        <source>チャンクの見出しが途中で切れています。</source>
        <translation>A chunk header is cut short.</translation>
    </message>
    <message>
        <source>チャンク %1 の長さがファイルの残りを超えています。</source>
        <translation>The chunk %1 is longer than the rest of the file.</translation>
    </message>
    <message>
        <source>SIZE チャンクが短すぎます。</source>
        <translation>The SIZE chunk is too short.</translation>
    </message>
    <message>
        <source>モデルの大きさ %1 が正しくありません (各辺 1 から 256)。</source>
        <translation>The model size %1 is not valid (each side 1 to 256).</translation>
    </message>
    <message>
        <source>XYZI チャンクの前に SIZE チャンクがありません。</source>
        <translation>There is no SIZE chunk before the XYZI chunk.</translation>
    </message>
    <message>
        <source>XYZI チャンクが短すぎます。</source>
        <translation>The XYZI chunk is too short.</translation>
    </message>
    <message>
        <source>ボクセル数 %1 が XYZI チャンクの長さ (%2 バイト) と合いません。</source>
        <translation>The voxel count %1 does not match the length of the XYZI chunk (%2 bytes).</translation>
    </message>
    <message>
        <source>ボクセル (%1, %2, %3) がモデルの大きさ %4 の外にあります。</source>
        <translation>The voxel (%1, %2, %3) lies outside the model size %4.</translation>
    </message>
    <message>
        <source>ボクセル (%1, %2, %3) の色番号が 0 です。</source>
        <translation>The voxel (%1, %2, %3) has colour index 0.</translation>
    </message>
    <message>
        <source>パレット (RGBA チャンク) が短すぎます。</source>
        <translation>The palette (RGBA chunk) is too short.</translation>
    </message>
    <message>
        <source>シーンの節点 (%1 チャンク) が壊れています。</source>
        <translation>A scene node (%1 chunk) is damaged.</translation>
    </message>
    <message>
        <source>シーンの節点 %1 が二つあります。</source>
        <translation>The scene node %1 appears twice.</translation>
    </message>
    <message>
        <source>モデル (SIZE と XYZI チャンク) がありません。</source>
        <translation>There is no model (SIZE and XYZI chunks).</translation>
    </message>
    <message>
        <source>シーンの根 (節点 0) がありません。</source>
        <translation>The root of the scene (node 0) is missing.</translation>
    </message>
    <message>
        <source>シーンの節点 %1 がありません。</source>
        <translation>The scene node %1 is missing.</translation>
    </message>
    <message>
        <source>シーンの入れ子が深すぎます。</source>
        <translation>The scene is nested too deeply.</translation>
    </message>
    <message>
        <source>シーンが存在しないモデル %1 を指しています。</source>
        <translation>The scene refers to a model %1 that does not exist.</translation>
    </message>
    <message>
        <source>シーンの節点 %1 が自分の祖先を参照しています (循環)。</source>
        <translation>Scene node %1 refers to one of its own ancestors (a cycle).</translation>
    </message>
    <message>
        <source>シーンが大きすぎます (節点やボクセルを置く回数が多すぎます)。</source>
        <translation>The scene is too large (too many nodes or voxels to place).</translation>
    </message>
</context>
</TS>
