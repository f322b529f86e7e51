<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>jigsaw::BoardForm</name>
    <message>
        <source>ジグソーパズル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>スタート</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ピース数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1枚（%2×%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲーム時間を設定する</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲーム時間の設定をキャンセルする</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>配置が正しいときに音で知らせる(ＯＦＦ)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像を変更する</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>右クリック</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>完成画像を表示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ピースをボックスに入れる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ピースボックスを表示しない</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>配置音＝ＯＦＦ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ボード</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ピースボックス</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画面を設定しています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>完成画像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>設定ボタンで各種設定後、スタートをクリックしてください。<byte value="xd"/>スタート後右クリックで完成画像が表示されます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前回の続きからはじめます。<byte value="xd"/>スタートをクリックしてください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>配置が正しいときに音で知らせる(ＯＮ)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>配置音＝ＯＮ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ピース数 %1 枚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>経過時間 00:00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲーム時間を選択してＯＫボタンをクリックしてください。<byte value="xd"/>60分以上の設定はテンキーから半角で直接入力してください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲーム時間が選択されていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲーム時間が長すぎます。<byte value="xd"/>999999分までの時間を入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>時間がなくなりました。終了してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲーム時間を %1 分に設定します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>経過時間 %1:%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲーム時間 %1分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲーム時間 %1分&#x3000;&#x3000;残り時間 %2:%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プレーヤー名を入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>右クリックで、メニューが表示されます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ダブルクリックで画像をピースボックスに入れます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正しい位置にあります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正しい位置にありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ピース%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ピースをボックスから出す</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ピースボックスを表示する</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ダブルクリックで、ピースがドロップされます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ドラッグするとボックスが移動します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>おめでとう！完成です。<byte value="xd"/>この記録を保存して、順位表に登録できます。<byte value="xd"/>保存する場合はプレーヤー名を入力してＯＫボタンをクリックしてください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジグソーパズルを終了しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲームに戻る</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ピース数 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>各種設定後、スタートボタンをクリックしてください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ゲームに戻るボタンで前の画面が表示されます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存する名前を入力してください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 の名前で今の状態を保存しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この名前はすでに存在します。<byte value="xd"/>この名前で上書き保存しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この画面を保存しました。<byte value="xd"/>ジグソーパズルを終了しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この画面を上書き保存しました。<byte value="xd"/>ジグソーパズルを終了しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この名前では保存できません。<byte value="xd"/>「/」「\」などの記号を使わない名前を入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この名前は長すぎて保存できません。<byte value="xd"/>短い名前を入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>このゲームは保存できませんでした。<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像のフォルダ名やファイル名に保存できない文字があります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存フォルダ「save」に書き込めません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同じ名前のフォルダやリンクがあります。別の名前を入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクの空きや保存フォルダを確かめてください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プレーヤー名が入力されていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この記録を保存しました。<byte value="xd"/>この記録の順位を確認しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この記録を保存しました。なお、使用した画像を起動時に表示できるように設定しました。<byte value="xd"/>この記録の順位を確認しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この記録を保存しました。ただし、使用した画像を画像フォルダにコピーできませんでした。<byte value="xd"/>この記録の順位を確認しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この名前では記録を保存できません。<byte value="xd"/>別のプレーヤー名を入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録を保存できませんでした。<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像のファイル名に記録できない文字があります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像のファイル名が長すぎます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録のフォルダ「datasave」に書き込めません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録ファイルと同じ名前のフォルダやリンクがあります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録ファイルが大きすぎて読み込めません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録ファイルを読み込めません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ほかのジグソーパズルが記録ファイルを使っています。もう一度ＯＫをクリックしてください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクの空きを確かめて、もう一度ＯＫをクリックしてください。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>jigsaw::app</name>
    <message>
        <source>ジグソーパズル</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
