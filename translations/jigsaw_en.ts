<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>LaunchGame</name>
    <message>
        <source>選択した画像ファイルを読み込めません。<byte value="xd"/>画像ではないか、壊れているファイルです。</source>
        <translation>The chosen picture file cannot be read.<byte value="xd"/>It is not a picture, or it is damaged.</translation>
    </message>
</context>
<context>
    <name>jigsaw::BoardForm</name>
    <message>
        <source>ジグソーパズル</source>
        <translation>Jigsaw Puzzle</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ピース数</source>
        <translation>Pieces</translation>
    </message>
    <message>
        <source>%1枚（%2×%2）</source>
        <translation>%1 pieces (%2×%2)</translation>
    </message>
    <message>
        <source>ゲーム時間を設定する</source>
        <translation>Set a time limit</translation>
    </message>
    <message>
        <source>ゲーム時間の設定をキャンセルする</source>
        <translation>Cancel the time limit</translation>
    </message>
    <message>
        <source>配置が正しいときに音で知らせる(ＯＦＦ)</source>
        <translation>Sound when a piece is in place (OFF)</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>画像を変更する</source>
        <translation>Change picture</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>右クリック</source>
        <translation>Right-click menu</translation>
    </message>
    <message>
        <source>完成画像を表示</source>
        <translation>Show the finished picture</translation>
    </message>
    <message>
        <source>ピースをボックスに入れる</source>
        <translation>Put the pieces in the box</translation>
    </message>
    <message>
        <source>ピースボックスを表示しない</source>
        <translation>Hide the piece box</translation>
    </message>
    <message>
        <source>配置音＝ＯＦＦ</source>
        <translation>Cue: OFF</translation>
    </message>
    <message>
        <source>ボード</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>ピースボックス</source>
        <translation>Piece box</translation>
    </message>
    <message>
        <source>画面を設定しています</source>
        <translation>Setting up the board</translation>
    </message>
    <message>
        <source>完成画像</source>
        <translation>Finished picture</translation>
    </message>
    <message>
        <source>設定ボタンで各種設定後、スタートをクリックしてください。<byte value="xd"/>スタート後右クリックで完成画像が表示されます</source>
        <translation>Choose your settings under Settings, then click Start.<byte value="xd"/>Once you have started, right-click to see the finished picture.</translation>
    </message>
    <message>
        <source>前回の続きからはじめます。<byte value="xd"/>スタートをクリックしてください</source>
        <translation>You pick up where you left off.<byte value="xd"/>Click Start.</translation>
    </message>
    <message>
        <source>配置が正しいときに音で知らせる(ＯＮ)</source>
        <translation>Sound when a piece is in place (ON)</translation>
    </message>
    <message>
        <source>配置音＝ＯＮ</source>
        <translation>Cue: ON</translation>
    </message>
    <message>
        <source>ピース数 %1 枚</source>
        <translation>Pieces: %1</translation>
    </message>
    <message>
        <source>経過時間 00:00</source>
        <translation>Time 00:00</translation>
    </message>
    <message>
        <source>ゲーム時間を選択してＯＫボタンをクリックしてください。<byte value="xd"/>60分以上の設定はテンキーから半角で直接入力してください</source>
        <translation>Choose a time limit and click OK.<byte value="xd"/>For 60 minutes or more, type the number of minutes.</translation>
    </message>
    <message>
        <source>ゲーム時間が選択されていません。</source>
        <translation>No time limit is chosen.</translation>
    </message>
    <message>
        <source>ゲーム時間が長すぎます。<byte value="xd"/>999999分までの時間を入力してください。</source>
        <translation>That time limit is too long.<byte value="xd"/>Enter at most 999999 minutes.</translation>
    </message>
    <message>
        <source>時間がなくなりました。終了してください。</source>
        <translation>Time&apos;s up. Please quit the game.</translation>
    </message>
    <message>
        <source>ゲーム時間を %1 分に設定します。</source>
        <translation>The time limit will be %1 minutes.</translation>
    </message>
    <message>
        <source>経過時間 %1:%2</source>
        <translation>Time %1:%2</translation>
    </message>
    <message>
        <source>ゲーム時間 %1分</source>
        <translation>Time limit %1 min</translation>
    </message>
    <message>
        <source>ゲーム時間 %1分&#x3000;&#x3000;残り時間 %2:%3</source>
        <translation>Time limit %1 min    Left %2:%3</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>プレーヤー名を入力してください。</source>
        <translation>Please enter a name.</translation>
    </message>
    <message>
        <source>右クリックで、メニューが表示されます</source>
        <translation>Right-click for the menu</translation>
    </message>
    <message>
        <source>ダブルクリックで画像をピースボックスに入れます</source>
        <translation>Double-click a piece to put it in the box</translation>
    </message>
    <message>
        <source>正しい位置にあります</source>
        <translation>In place</translation>
    </message>
    <message>
        <source>正しい位置にありません</source>
        <translation>Not in place</translation>
    </message>
    <message>
        <source>ピース%1</source>
        <translation>Piece %1</translation>
    </message>
    <message>
        <source>ピースをボックスから出す</source>
        <translation>Take the pieces out of the box</translation>
    </message>
    <message>
        <source>ピースボックスを表示する</source>
        <translation>Show the piece box</translation>
    </message>
    <message>
        <source>ダブルクリックで、ピースがドロップされます</source>
        <translation>Double-click a piece to drop it on the board</translation>
    </message>
    <message>
        <source>ドラッグするとボックスが移動します</source>
        <translation>Drag to move the box</translation>
    </message>
    <message>
        <source>おめでとう！完成です。<byte value="xd"/>この記録を保存して、順位表に登録できます。<byte value="xd"/>保存する場合はプレーヤー名を入力してＯＫボタンをクリックしてください。</source>
        <translation>Congratulations! The puzzle is complete.<byte value="xd"/>You can enter your time in the ranking.<byte value="xd"/>To do so, type your name and click OK.</translation>
    </message>
    <message>
        <source>ジグソーパズルを終了しますか？</source>
        <translation>Quit Jigsaw Puzzle?</translation>
    </message>
    <message>
        <source>ゲームに戻る</source>
        <translation>Back to the game</translation>
    </message>
    <message>
        <source>ピース数 %1</source>
        <translation>Pieces: %1</translation>
    </message>
    <message>
        <source>各種設定後、スタートボタンをクリックしてください</source>
        <translation>Choose your settings, then click Start</translation>
    </message>
    <message>
        <source>ゲームに戻るボタンで前の画面が表示されます</source>
        <translation>&quot;Back to the game&quot; returns to the board</translation>
    </message>
    <message>
        <source>保存する名前を入力してください</source>
        <translation>Enter a name to save the game under</translation>
    </message>
    <message>
        <source>%1 の名前で今の状態を保存しますか？</source>
        <translation>Save the game as %1?</translation>
    </message>
    <message>
        <source>この名前はすでに存在します。<byte value="xd"/>この名前で上書き保存しますか？</source>
        <translation>A game is already saved under this name.<byte value="xd"/>Save over it?</translation>
    </message>
    <message>
        <source>この画面を保存しました。<byte value="xd"/>ジグソーパズルを終了しますか？</source>
        <translation>The game is saved.<byte value="xd"/>Quit Jigsaw Puzzle?</translation>
    </message>
    <message>
        <source>この画面を上書き保存しました。<byte value="xd"/>ジグソーパズルを終了しますか？</source>
        <translation>The game is saved over the old one.<byte value="xd"/>Quit Jigsaw Puzzle?</translation>
    </message>
    <message>
        <source>この名前では保存できません。<byte value="xd"/>「/」「\」などの記号を使わない名前を入力してください。</source>
        <translation>The game cannot be saved under this name.<byte value="xd"/>Enter a name without signs such as / or \.</translation>
    </message>
    <message>
        <source>この名前は長すぎて保存できません。<byte value="xd"/>短い名前を入力してください。</source>
        <translation>This name is too long to save under.<byte value="xd"/>Enter a shorter name.</translation>
    </message>
    <message>
        <source>このゲームは保存できませんでした。<byte value="xd"/>%1</source>
        <translation>The game could not be saved.<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>画像のフォルダ名やファイル名に保存できない文字があります。</source>
        <translation>The picture&apos;s folder or file name has characters that cannot be saved.</translation>
    </message>
    <message>
        <source>保存フォルダ「save」に書き込めません。</source>
        <translation>The save folder &quot;save&quot; cannot be written to.</translation>
    </message>
    <message>
        <source>同じ名前のフォルダやリンクがあります。別の名前を入力してください。</source>
        <translation>A folder or link has this name. Enter another name.</translation>
    </message>
    <message>
        <source>ディスクの空きや保存フォルダを確かめてください。</source>
        <translation>Check the free disk space and the save folder.</translation>
    </message>
    <message>
        <source>プレーヤー名が入力されていません。</source>
        <translation>No player name is entered.</translation>
    </message>
    <message>
        <source>この記録を保存しました。<byte value="xd"/>この記録の順位を確認しますか？</source>
        <translation>Your time is recorded.<byte value="xd"/>See where it ranks?</translation>
    </message>
    <message>
        <source>この記録を保存しました。なお、使用した画像を起動時に表示できるように設定しました。<byte value="xd"/>この記録の順位を確認しますか？</source>
        <translation>Your time is recorded, and the picture now appears in the library.<byte value="xd"/>See where it ranks?</translation>
    </message>
    <message>
        <source>この名前では記録を保存できません。<byte value="xd"/>別のプレーヤー名を入力してください。</source>
        <translation>A time cannot be recorded under this name.<byte value="xd"/>Enter another player name.</translation>
    </message>
    <message>
        <source>記録を保存できませんでした。<byte value="xd"/>%1</source>
        <translation>Your time could not be recorded.<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>画像のファイル名に記録できない文字があります。</source>
        <translation>The picture&apos;s file name has characters that cannot be recorded.</translation>
    </message>
    <message>
        <source>画像のファイル名が長すぎます。</source>
        <translation>The picture&apos;s file name is too long.</translation>
    </message>
    <message>
        <source>記録のフォルダ「datasave」に書き込めません。</source>
        <translation>The record folder &quot;datasave&quot; cannot be written to.</translation>
    </message>
    <message>
        <source>記録ファイルと同じ名前のフォルダやリンクがあります。</source>
        <translation>A folder or link has the record file&apos;s name.</translation>
    </message>
    <message>
        <source>記録ファイルが大きすぎて読み込めません。</source>
        <translation>The record file is too large to read.</translation>
    </message>
    <message>
        <source>記録ファイルを読み込めません。</source>
        <translation>The record file cannot be read.</translation>
    </message>
    <message>
        <source>ほかのジグソーパズルが記録ファイルを使っています。もう一度ＯＫをクリックしてください。</source>
        <translation>Another Jigsaw Puzzle is using the record file. Click OK again.</translation>
    </message>
    <message>
        <source>ディスクの空きを確かめて、もう一度ＯＫをクリックしてください。</source>
        <translation>Check the free disk space and click OK again.</translation>
    </message>
    <message>
        <source>記録を保存できませんでした。<byte value="xd"/>記録ファイルと同じ名前で、通常のファイルではないもの（特殊ファイル）があります。</source>
        <translation>Your time could not be recorded.<byte value="xd"/>Something that is not an ordinary file (a special file) has the record file&apos;s name.</translation>
    </message>
    <message>
        <source>記録を保存できませんでした。<byte value="xd"/>使用した画像ファイルを読み込めないため、画像フォルダにコピーできません。</source>
        <translation>Your time could not be recorded.<byte value="xd"/>The picture file cannot be read, so it cannot be copied into the library.</translation>
    </message>
    <message>
        <source>記録を保存できませんでした。<byte value="xd"/>画像フォルダ「gazou」に書き込めません。</source>
        <translation>Your time could not be recorded.<byte value="xd"/>The picture folder &quot;gazou&quot; cannot be written to.</translation>
    </message>
    <message>
        <source>記録を保存できませんでした。<byte value="xd"/>ほかのジグソーパズルが画像フォルダを使っています。もう一度ＯＫをクリックしてください。</source>
        <translation>Your time could not be recorded.<byte value="xd"/>Another Jigsaw Puzzle is using the picture folder. Click OK again.</translation>
    </message>
    <message>
        <source>記録を保存できませんでした。<byte value="xd"/>使用した画像を画像フォルダにコピーできません。ディスクの空きを確かめて、もう一度ＯＫをクリックしてください。</source>
        <translation>Your time could not be recorded.<byte value="xd"/>The picture cannot be copied into the library. Check the free disk space and click OK again.</translation>
    </message>
    <message>
        <source>表示倍率</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>画面に合わせる</source>
        <translation>Fit to Screen</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>表示倍率 %1%</source>
        <translation>Zoom %1%</translation>
    </message>
</context>
<context>
    <name>jigsaw::RecordsForm</name>
    <message>
        <source>%1時間%2分%3秒</source>
        <translation>%1:%2:%3</translation>
    </message>
    <message>
        <source>記録</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>順位表示</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>元の画面に戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>画像名</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>ピース枚数選択</source>
        <translation>Pieces</translation>
    </message>
    <message>
        <source>枚</source>
        <translation>pcs</translation>
    </message>
    <message>
        <source>時&#x3000;&#x3000;&#x3000;間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>プレーヤー</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>ゲーム日時</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>順位表示ボタンをクリックしてください</source>
        <translation>Click Ranking to see the best times</translation>
    </message>
    <message>
        <source>ピース枚数%1枚のベスト10を表示しています</source>
        <translation>The 10 best times with %1 pieces</translation>
    </message>
    <message>
        <source>10位以下は表示できません。</source>
        <translation>Only the top 10 are shown.</translation>
    </message>
    <message>
        <source>%1 位以下のデータはありません</source>
        <translation>No records after rank %1</translation>
    </message>
</context>
<context>
    <name>jigsaw::SelectForm</name>
    <message>
        <source>画像が小さすぎてジグソーパズルを表示できません。</source>
        <translation>This picture is too small for a jigsaw puzzle.</translation>
    </message>
    <message>
        <source>画像が大きすぎてジグソーパズルを表示できません。<byte value="xd"/>このコンピュータのメモリが足りません。</source>
        <translation>This picture is too large for a jigsaw puzzle.<byte value="xd"/>This computer does not have enough memory.</translation>
    </message>
    <message>
        <source>パズルのフォーム画面が最小化されています。<byte value="xd"/>元のサイズに戻してやり直してください。</source>
        <translation>The puzzle window is minimised.<byte value="xd"/>Restore it and try again.</translation>
    </message>
    <message>
        <source>画像選択</source>
        <translation>Choose a Picture</translation>
    </message>
    <message>
        <source>画像の読込</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>ファイルから読み込む</source>
        <translation>From a folder</translation>
    </message>
    <message>
        <source>サンプルを表示</source>
        <translation>Show the library</translation>
    </message>
    <message>
        <source>ゲームの続き</source>
        <translation>Continue a game</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>過去の記録表示</source>
        <translation>Past records</translation>
    </message>
    <message>
        <source>≪ 前の画像 </source>
        <translation>≪ Previous</translation>
    </message>
    <message>
        <source>次の画像 ≫</source>
        <translation>Next ≫</translation>
    </message>
    <message>
        <source>ファイルの場所</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>フォルダ選択</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>↑ 上へ</source>
        <translation>↑ Up</translation>
    </message>
    <message>
        <source>画像数(.jpg)</source>
        <translation>.jpg files</translation>
    </message>
    <message>
        <source>画像を表示する</source>
        <translation>Show pictures</translation>
    </message>
    <message>
        <source>画像をクリックして選択してください</source>
        <translation>Click a picture to choose it</translation>
    </message>
    <message>
        <source>画像が表示されていません</source>
        <translation>No pictures are shown</translation>
    </message>
    <message>
        <source>ジグソーパズルを終了しますか？</source>
        <translation>Quit Jigsaw Puzzle?</translation>
    </message>
    <message>
        <source>よろしければＧＯボタンをクリックしてください</source>
        <translation>Click GO when you are ready</translation>
    </message>
    <message>
        <source>過去の記録ボタンをクリックすると、順位表が表示されます。</source>
        <translation>Click Past records to see the ranking.</translation>
    </message>
    <message>
        <source>ディスクが準備されていません。</source>
        <translation>The disk is not ready.</translation>
    </message>
    <message>
        <source>選択した画像ファイルが見つかりません。</source>
        <translation>The chosen picture file cannot be found.</translation>
    </message>
    <message>
        <source>このゲームのファイルは大きすぎて読み込めません。</source>
        <translation>This saved game&apos;s file is too large to read.</translation>
    </message>
    <message>
        <source>このゲームのファイルは壊れているため読み込めません。</source>
        <translation>This saved game&apos;s file is damaged and cannot be read.</translation>
    </message>
    <message>
        <source>このゲームのファイルを読み込めません。</source>
        <translation>This saved game&apos;s file cannot be read.</translation>
    </message>
</context>
<context>
    <name>jigsaw::app</name>
    <message>
        <source>ジグソーパズル</source>
        <translation>Jigsaw Puzzle</translation>
    </message>
</context>
</TS>
