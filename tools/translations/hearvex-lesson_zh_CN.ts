<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Align</name>
    <message>
        <source>unknown option %1</source>
        <translation>不认识的选项 %1</translation>
    </message>
    <message>
        <source>give the media and its transcript</source>
        <translation>请给出录音和它的文稿</translation>
    </message>
    <message>
        <source>too many files given</source>
        <translation>给出的文件太多</translation>
    </message>
    <message>
        <source>%1 is not a plain-text transcript (subtitles already have timings: import them as they are)</source>
        <translation>%1 不是纯文本文稿（字幕已经带有时间，请直接导入）</translation>
    </message>
    <message>
        <source>%1 exists; name the output with -o to replace it</source>
        <translation>%1 已经存在；要替换它，请用 -o 指明输出文件</translation>
    </message>
    <message>
        <source>hearvex-lesson align: warning: %1</source>
        <translation>hearvex-lesson align：注意：%1</translation>
    </message>
    <message>
        <source>hearvex-lesson align: %1</source>
        <translation>hearvex-lesson align：%1</translation>
    </message>
    <message>
        <source>hearvex-lesson align: cannot write %1: %2</source>
        <translation>hearvex-lesson align：无法写入 %1：%2</translation>
    </message>
    <message>
        <source>%1 sentences aligned, written to %2</source>
        <translation>对齐了 %1 句，已写入 %2</translation>
    </message>
    <message>
        <source>the transcript has no sentences</source>
        <translation>文稿里没有句子</translation>
    </message>
    <message>
        <source>the recording holds no sound</source>
        <translation>录音里没有声音</translation>
    </message>
    <message>
        <source>the transcript does not match the recording&apos;s speech</source>
        <translation>文稿和录音里说的话对不上</translation>
    </message>
    <message>
        <source>cannot start the eSpeak NG speech synthesizer</source>
        <translation>无法启动 eSpeak NG 语音合成</translation>
    </message>
    <message>
        <source>eSpeak NG has no English voice (install espeak-ng-data)</source>
        <translation>eSpeak NG 没有英语语音（请安装 espeak-ng-data）</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 is too large for a transcript</source>
        <translation>%1 太大，不像是文稿</translation>
    </message>
    <message>
        <source>%1 holds no sentences to align</source>
        <translation>%1 里没有可以对齐的句子</translation>
    </message>
    <message>
        <source>cannot align %1: %2</source>
        <translation>无法对齐 %1：%2</translation>
    </message>
    <message>
        <source>%1 already holds lessons named %2 (%3...); nothing changed</source>
        <translation>%1 里已经有名为 %2 的课文（%3……）；什么也没有改动</translation>
    </message>
    <message>
        <source>sentence %1: dropped &quot;%2&quot; (not in GBK)</source>
        <translation>第 %1 句：去掉了“%2”（GBK 里没有这个字符）</translation>
    </message>
    <message>
        <source>1 sentence aligned, written to %1</source>
        <translation>对齐了 1 句，已写入 %1</translation>
    </message>
    <message>
        <source>%1 is a folder, not a transcript</source>
        <translation>%1 是文件夹，不是文稿</translation>
    </message>
    <message>
        <source>%1 is empty: there is no transcript to align</source>
        <translation>%1 是空文件：没有可对齐的文稿</translation>
    </message>
    <message>
        <source>%1 is not a text file (it holds NUL bytes): give the recording first, then its transcript</source>
        <translation>%1 不是文本文件（含有 NUL 字节）：请先给出录音，再给出它的文稿</translation>
    </message>
    <message>
        <source>%1 is a web page (HTML) without any text to align: save the page&apos;s text as a plain-text file</source>
        <translation>%1 是网页（HTML），没有可对齐的文字：请把网页的文字另存为纯文本文件</translation>
    </message>
    <message>
        <source>the recording</source>
        <translation>录音</translation>
    </message>
    <message>
        <source>the transcript</source>
        <translation>文稿</translation>
    </message>
    <message>
        <source>the speech model is missing: %1 (install pocketsphinx-en-us)</source>
        <translation>缺少语音模型：%1（请安装 pocketsphinx-en-us）</translation>
    </message>
    <message>
        <source>cannot load the speech model in %1</source>
        <translation>无法载入 %1 里的语音模型</translation>
    </message>
    <message>
        <source>the transcript is a web page (HTML): its text is read, without tags, scripts and styles</source>
        <translation>文稿是网页（HTML）：只读取其文字，不含标签、脚本和样式</translation>
    </message>
    <message>
        <source>hearvex-lesson align: %1
usage: hearvex-lesson align MEDIA TRANSCRIPT.txt [-o OUT.srt] [--words OUT.tsv]</source>
        <translation>hearvex-lesson align：%1
用法：hearvex-lesson align 录音 文稿.txt [-o 输出.srt] [--words 词时间.tsv]</translation>
    </message>
    <message>
        <source>%1 needs a file name</source>
        <translation>%1 后面要给一个文件名</translation>
    </message>
    <message>
        <source>the subtitles and the word times need two files</source>
        <translation>字幕和词时间要写到两个不同的文件</translation>
    </message>
    <message>
        <source>cannot write %1: the folder %2 does not exist</source>
        <translation>无法写入 %1：文件夹 %2 不存在</translation>
    </message>
    <message>
        <source>the sentences of %1 are not in the order %2 speaks them: %3 is heard before %4; nothing written</source>
        <translation>%1 的句子和 %2 里说的顺序不一样：%3 在 %4 之前就说了；什么也没有写</translation>
    </message>
    <message>
        <source>%1 does not match the speech in %2: is it the transcript of another recording? (%3 of %4 sentences heard; nothing written)</source>
        <translation>%1 和 %2 里说的话对不上：它是不是别的录音的文稿？（%4 句里只听到 %3 句；什么也没有写）</translation>
    </message>
    <message>
        <source>sentence %1 (&quot;%2%3&quot;)</source>
        <translation>第 %1 句（“%2%3”）</translation>
    </message>
    <message>
        <source>%1 is not heard in the recording; left out</source>
        <translation>录音里听不到%1；已略去</translation>
    </message>
    <message>
        <source>the speech model could not be loaded: %1</source>
        <translation>无法载入语音模型：%1</translation>
    </message>
    <message>
        <source>%1 is a folder; name the file to write</source>
        <translation>%1 是文件夹；请给出要写入的文件名</translation>
    </message>
    <message>
        <source>%1 is %2 itself: writing there would overwrite it; name another output</source>
        <translation>%1 就是%2本身：写到那里会覆盖它；请指定别的输出文件</translation>
    </message>
    <message>
        <source>%1 is another name of %2 %3: writing there would overwrite it; name another output</source>
        <translation>%1 是%2 %3 的另一个名字：写到那里会覆盖它；请指定别的输出文件</translation>
    </message>
    <message>
        <source>hearvex-lesson align: %1: alignment uncertain</source>
        <translation>hearvex-lesson align：%1：对齐不确定</translation>
    </message>
</context>
<context>
    <name>ClipOutput</name>
    <message>
        <source>no sound output: %1</source>
        <translation>没有声音输出：%1</translation>
    </message>
    <message>
        <source>nothing to play</source>
        <translation>没有可播放的声音</translation>
    </message>
</context>
<context>
    <name>CompareCommand</name>
    <message>
        <source>usage: hearvex-lesson compare [--tsv] SENTENCE TYPED</source>
        <translation>用法：hearvex-lesson compare [--tsv] 句子 所写</translation>
    </message>
    <message>
        <source>%1 words found</source>
        <translation>找到 %1 个词</translation>
    </message>
    <message>
        <source>  (not typed yet)</source>
        <translation>  （还没写）</translation>
    </message>
    <message>
        <source>hearvex-lesson: the dictionary %1 cannot be read (%2); homophones, forms, spelling slips and rare words are not told apart</source>
        <translation>hearvex-lesson：无法读取词典 %1（%2）；同音词、词形、拼写和生词无法区分</translation>
    </message>
    <message>
        <source>hearvex-lesson: too many words to compare word by word</source>
        <translation>hearvex-lesson：词太多，无法逐词比较</translation>
    </message>
</context>
<context>
    <name>Dictionary</name>
    <message>
        <source>cannot open the dictionary %1: %2</source>
        <translation>无法打开词典 %1：%2</translation>
    </message>
    <message>
        <source>%1 is not a dictionary of this program</source>
        <translation>%1 不是本程序的词典</translation>
    </message>
    <message>
        <source>%1 is damaged</source>
        <translation>%1 已损坏</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>not a file</source>
        <translation>不是文件</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>没有这个文件</translation>
    </message>
    <message>
        <source>%1: not a media file FFmpeg reads (%2)</source>
        <translation>%1：不是 FFmpeg 能读的媒体文件（%2）</translation>
    </message>
    <message>
        <source>%1: cannot be read (%2)</source>
        <translation>%1：无法读取（%2）</translation>
    </message>
    <message>
        <source>%1: has no audio</source>
        <translation>%1：没有声音</translation>
    </message>
    <message>
        <source>%1: its audio cannot be decoded (%2)</source>
        <translation>%1：声音无法解码（%2）</translation>
    </message>
    <message>
        <source>%1: its audio stream has no sound format</source>
        <translation>%1：声音流没有声音格式</translation>
    </message>
    <message>
        <source>reading the media failed: %1</source>
        <translation>读取媒体文件出错：%1</translation>
    </message>
    <message>
        <source>the audio cannot be converted</source>
        <translation>声音无法转换</translation>
    </message>
    <message>
        <source>no decoder for %1</source>
        <translation>没有 %1 的解码器</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>cannot open the %1 decoder: %2</source>
        <translation>无法打开 %1 解码器：%2</translation>
    </message>
    <message>
        <source>this FFmpeg has no MP3 encoder (libmp3lame)</source>
        <translation>这个 FFmpeg 没有 MP3 编码器（libmp3lame）</translation>
    </message>
    <message>
        <source>this FFmpeg cannot write MP3 files</source>
        <translation>这个 FFmpeg 不能写 MP3 文件</translation>
    </message>
    <message>
        <source>cannot open the MP3 encoder: %1</source>
        <translation>无法打开 MP3 编码器：%1</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>encoding the MP3 failed: %1</source>
        <translation>MP3 编码出错：%1</translation>
    </message>
    <message>
        <source>writing the MP3 failed: %1</source>
        <translation>写 MP3 出错：%1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 后面要给一个值</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>不认识的选项 %1</translation>
    </message>
    <message>
        <source>no media file given</source>
        <translation>没有给出录音文件</translation>
    </message>
    <message>
        <source>too many files given</source>
        <translation>给出的文件太多</translation>
    </message>
    <message>
        <source>hearvex-lesson import: warning: %1</source>
        <translation>hearvex-lesson import：注意：%1</translation>
    </message>
    <message>
        <source>hearvex-lesson import: stopped; nothing changed</source>
        <translation>hearvex-lesson import：已停止；什么也没有改动</translation>
    </message>
    <message>
        <source>hearvex-lesson import: %1</source>
        <translation>hearvex-lesson import：%1</translation>
    </message>
    <message>
        <source>%1 lessons written to %2</source>
        <translation>已写入 %1 课到 %2</translation>
    </message>
    <message>
        <source>%1 is in none of %2</source>
        <translation>%2 里都没有 %1</translation>
    </message>
    <message>
        <source>%1 is from another version of Hearvex</source>
        <translation>%1 来自另一个版本的 Hearvex</translation>
    </message>
    <message>
        <source>the import cannot be loaded: %1</source>
        <translation>无法载入导入功能：%1</translation>
    </message>
    <message>
        <source>the subtitles hold no cue with text</source>
        <translation>字幕里没有带文字的条目</translation>
    </message>
    <message>
        <source>%1: no subtitles (none given, none beside it with the same name, none inside it)</source>
        <translation>%1：没有字幕（没有给出，旁边没有同名字幕，文件里面也没有）</translation>
    </message>
    <message>
        <source>it starts at -%1, before the media</source>
        <translation>它从 -%1 开始，早于录音开头</translation>
    </message>
    <message>
        <source>it ends at %1, before it starts at %2</source>
        <translation>它在 %1 结束，早于它的开始 %2</translation>
    </message>
    <message>
        <source>cue %1 at %2: its text (%3 characters) is too long for a lesson (at most %4 bytes); skipped</source>
        <translation>第 %1 条（%2）：文字（%3 个字符）太长，课文最多 %4 字节；已跳过</translation>
    </message>
    <message>
        <source>cue %1 at %2: dropped &quot;%3&quot; (not in GBK)</source>
        <translation>第 %1 条（%2）：去掉了“%3”（GBK 里没有这个字符）</translation>
    </message>
    <message>
        <source>cue %1: %2; skipped</source>
        <translation>第 %1 条：%2；已跳过</translation>
    </message>
    <message>
        <source>cue %1 at %2: its text (%3 bytes) is too long for a lesson (at most %4); skipped</source>
        <translation>第 %1 条（%2）：文字（%3 字节）太长，课文最多 %4 字节；已跳过</translation>
    </message>
    <message>
        <source>cue %1 at %2 starts</source>
        <translation>第 %1 条（%2 开始）</translation>
    </message>
    <message>
        <source>%1 cues from cue %2 at %3 on start</source>
        <translation>从第 %2 条（%3）起的 %1 条</translation>
    </message>
    <message>
        <source>%1 after the media&apos;s end (%2); skipped</source>
        <translation>%1在录音结束（%2）之后；已跳过</translation>
    </message>
    <message>
        <source>no lesson folder given</source>
        <translation>没有给出课文文件夹</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be a lesson name</source>
        <translation>“%1”不能用作课文名</translation>
    </message>
    <message>
        <source>the lesson name &quot;%1&quot; is too long (at most %2 bytes)</source>
        <translation>课文名“%1”太长（最多 %2 字节）</translation>
    </message>
    <message>
        <source>%1 already holds lessons named %2 (%3...); nothing changed</source>
        <translation>%1 里已经有名为 %2 的课文（%3……）；什么也没有改动</translation>
    </message>
    <message>
        <source>cancelled; nothing changed</source>
        <translation>已取消；什么也没有改动</translation>
    </message>
    <message>
        <source>no cue lies within the media&apos;s %1</source>
        <translation>没有一条字幕落在录音的 %1 之内</translation>
    </message>
    <message>
        <source>cannot write in %1</source>
        <translation>无法在 %1 里写入</translation>
    </message>
    <message>
        <source>its journal is not one this program wrote</source>
        <translation>它的导入日志不是本程序写的</translation>
    </message>
    <message>
        <source>cannot create the folder %1: %2</source>
        <translation>无法建立文件夹 %1：%2</translation>
    </message>
    <message>
        <source>another import of lessons named %1 is running in %2</source>
        <translation>%2 里正在进行另一次名为 %1 的导入</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>无法在 %1 里写入：%2</translation>
    </message>
    <message>
        <source>cannot clear %1 left by an earlier import: %2</source>
        <translation>无法清除上一次导入留下的 %1：%2</translation>
    </message>
    <message>
        <source>cannot write the lessons</source>
        <translation>无法写入课文</translation>
    </message>
    <message>
        <source>cannot write the import&apos;s journal</source>
        <translation>无法写入导入日志</translation>
    </message>
    <message>
        <source>the lessons were not all moved into place (the next run finishes it)</source>
        <translation>课文没有全部放到位（下一次运行时会完成）</translation>
    </message>
    <message>
        <source>%1: cannot take over an import&apos;s leftovers: %2</source>
        <translation>%1：无法接手导入留下的文件：%2</translation>
    </message>
    <message>
        <source>%1: left by an import that was stopped; cannot clear it: %2</source>
        <translation>%1：是一次中断的导入留下的；无法清除：%2</translation>
    </message>
    <message>
        <source>line %1: a time beyond %2 hours; cue skipped</source>
        <translation>第 %1 行：时间超过 %2 小时；已跳过这一条</translation>
    </message>
    <message>
        <source>line %1: %2 is no cue timing; that block skipped</source>
        <translation>第 %1 行：%2 不是字幕时间；已跳过这一段</translation>
    </message>
    <message>
        <source>line %1: %2 is no event line; skipped</source>
        <translation>第 %1 行：%2 不是字幕事件行；已跳过</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 is too large to be subtitles</source>
        <translation>%1 太大，不像是字幕</translation>
    </message>
    <message>
        <source>line %1: %2 NUL bytes (the file may be damaged there); removed</source>
        <translation>第 %1 行：%2 个 NUL 字节（文件这里可能损坏了）；已去掉</translation>
    </message>
    <message>
        <source>neither SubRip, WebVTT, LRC nor ASS</source>
        <translation>既不是 SubRip、WebVTT、LRC，也不是 ASS</translation>
    </message>
    <message>
        <source>no cue in it could be read</source>
        <translation>里面没有一条能读的字幕</translation>
    </message>
    <message>
        <source>%1 is empty</source>
        <translation>%1 是空的</translation>
    </message>
    <message>
        <source>%1: not a subtitle file (%2)</source>
        <translation>%1：不是字幕文件（%2）</translation>
    </message>
    <message>
        <source>%1: its subtitles cannot be read (%2)</source>
        <translation>%1：字幕无法读取（%2）</translation>
    </message>
    <message>
        <source>line %1: a block without cue timings; skipped</source>
        <translation>第 %1 行：一段没有字幕时间的文字；已跳过</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; is no cue timing; that cue skipped</source>
        <translation>第 %1 行：“%2”不是字幕时间；已跳过这一条</translation>
    </message>
    <message>
        <source>1 lesson written to %1</source>
        <translation>已写入 1 课到 %1</translation>
    </message>
    <message>
        <source>%1: not a file</source>
        <translation>%1：不是文件</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>找不到文件 %1</translation>
    </message>
    <message>
        <source>hearvex-lesson import: %1
usage: hearvex-lesson import MEDIA [SUBTITLES|TRANSCRIPT.txt] [--into FOLDER] [--name NAME] [--replace] [--max-words N] [--max-seconds S]
       hearvex-lesson import --words-only FOLDER</source>
        <translation>hearvex-lesson import：%1
用法：hearvex-lesson import MEDIA [SUBTITLES|TRANSCRIPT.txt] [--into FOLDER] [--name NAME] [--replace] [--max-words N] [--max-seconds S]
       hearvex-lesson import --words-only FOLDER</translation>
    </message>
    <message>
        <source>%1 takes a number, not %2</source>
        <translation>%1 后面要跟一个数字，而不是 %2</translation>
    </message>
    <message>
        <source>--words-only takes one lesson folder and no other file</source>
        <translation>--words-only 只接受一个课文文件夹，不接受别的文件</translation>
    </message>
    <message>
        <source>no word times: %1</source>
        <translation>没有词时间：%1</translation>
    </message>
    <message>
        <source>cue %1 at %2: its words were not heard there; the lesson has no word times</source>
        <translation>第 %1 句字幕（%2）：在那里没有听到它的词；这一课没有词时间</translation>
    </message>
    <message>
        <source>%1 is a folder</source>
        <translation>%1 是文件夹</translation>
    </message>
    <message>
        <source>it has no lesson text</source>
        <translation>它没有课文文件</translation>
    </message>
    <message>
        <source>its text cannot be read</source>
        <translation>它的课文无法读取</translation>
    </message>
    <message>
        <source>its sentence is empty</source>
        <translation>它的句子是空的</translation>
    </message>
    <message>
        <source>its word times cannot be read</source>
        <translation>它的词时间无法读取</translation>
    </message>
    <message>
        <source>its sentence was not heard in its recording</source>
        <translation>在它的录音里没有听到它的句子</translation>
    </message>
    <message>
        <source>%1: %2 words timed</source>
        <translation>%1：已给 %2 个词对上时间</translation>
    </message>
    <message>
        <source>%1: %2 words timed; alignment uncertain</source>
        <translation>%1：已给 %2 个词对上时间；对齐不确定</translation>
    </message>
    <message>
        <source>%1: has word times already</source>
        <translation>%1：已经有词时间</translation>
    </message>
    <message>
        <source>%1: not aligned: %2</source>
        <translation>%1：没能对齐：%2</translation>
    </message>
    <message>
        <source>usage: hearvex-lesson words LESSON.txt</source>
        <translation>用法：hearvex-lesson words LESSON.txt</translation>
    </message>
    <message>
        <source>hearvex-lesson words: %1 cannot be read</source>
        <translation>hearvex-lesson words：%1 无法读取</translation>
    </message>
    <message>
        <source>hearvex-lesson words: warning: %1:%2 is no word&apos;s time; skipped</source>
        <translation>hearvex-lesson words：警告：%1:%2 不是词时间，已跳过</translation>
    </message>
    <message>
        <source>hearvex-lesson words: %1 has no word times (no %2)</source>
        <translation>hearvex-lesson words：%1 没有词时间（没有 %2）</translation>
    </message>
    <message>
        <source>hearvex-lesson import: %1: no such folder</source>
        <translation>hearvex-lesson import：%1：没有这个文件夹</translation>
    </message>
    <message>
        <source>%1 lessons given word times (%2 uncertain), %3 had them already, %4 not aligned</source>
        <translation>%1 课补上了词时间（其中 %2 课对齐不确定），%3 课原来就有，%4 课没能对齐</translation>
    </message>
    <message>
        <source>%1 is one of the lessons named %2 that the import would replace; import it under another name</source>
        <translation>%1 是导入时会被替换的 %2 系列课文之一；请换一个名字导入</translation>
    </message>
    <message>
        <source>  %1: alignment uncertain</source>
        <translation>  %1：对齐不确定</translation>
    </message>
</context>
<context>
    <name>LessonCheck</name>
    <message>
        <source>text file missing</source>
        <translation>缺少课文文件</translation>
    </message>
    <message>
        <source>text file unreadable</source>
        <translation>课文文件无法读取</translation>
    </message>
    <message>
        <source>text file over %1 bytes (the program treats it as empty)</source>
        <translation>课文文件超过 %1 字节（程序会当作空的）</translation>
    </message>
    <message>
        <source>recording: %1</source>
        <translation>录音：%1</translation>
    </message>
    <message>
        <source>no lower-case &quot;txt&quot; in the name, so the text file would be the recording itself</source>
        <translation>文件名里没有小写的“txt”，课文文件就成了录音本身</translation>
    </message>
    <message>
        <source>the first line of the text is empty</source>
        <translation>课文的第一行是空的</translation>
    </message>
</context>
<context>
    <name>LessonTool</name>
    <message>
        <source>hearvex-lesson: %1</source>
        <translation>hearvex-lesson：%1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text</source>
        <translation>%1 不是 UTF-8 文本</translation>
    </message>
    <message>
        <source>%1:%2:%3: the character &quot;%4&quot; cannot be written in GBK</source>
        <translation>%1 第 %2 行第 %3 个字：字符“%4”无法用 GBK 写入课文</translation>
    </message>
    <message>
        <source>%1: the first line (the sentence to dictate) is empty</source>
        <translation>%1：第一行（要听写的句子）是空的</translation>
    </message>
    <message>
        <source>hearvex-lesson: warning: &quot;%1&quot; in %2 is dropped when the lesson is read</source>
        <translation>hearvex-lesson：注意：%2 里的“%1”在读课文时会被去掉</translation>
    </message>
    <message>
        <source>%1 makes %2 bytes; a lesson text holds at most %3</source>
        <translation>%1 写成课文有 %2 字节；一个课文文件最多只能有 %3 字节</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>找不到文件 %1</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1：无法读取</translation>
    </message>
    <message>
        <source>%1: over %2 bytes, not a lesson text</source>
        <translation>%1：超过 %2 字节，不是课文文件</translation>
    </message>
    <message>
        <source>cannot be read (the program shows &quot;ErrNo : %1 Open Error&quot;)</source>
        <translation>无法读取（程序会显示“ErrNo : %1 Open Error”）</translation>
    </message>
    <message>
        <source>not a recording the program can play (the program shows &quot;ErrNo : %1 Open Error&quot;)</source>
        <translation>不是程序能播放的录音（程序会显示“ErrNo : %1 Open Error”）</translation>
    </message>
    <message>
        <source>refused by the playback engine (&quot;ErrNo : %1 Open Error&quot;)</source>
        <translation>播放引擎打不开（“ErrNo : %1 Open Error”）</translation>
    </message>
    <message>
        <source>the playback engine could not start (error %1)</source>
        <translation>播放引擎无法启动（错误 %1）</translation>
    </message>
    <message>
        <source>%1: no such folder</source>
        <translation>找不到文件夹 %1</translation>
    </message>
    <message>
        <source>%1: no lessons (no *.txt recordings)</source>
        <translation>%1：没有课文（没有 *.txt 录音）</translation>
    </message>
    <message>
        <source>     ! %1: a text without a recording</source>
        <translation>     ! %1：有课文文字，但没有录音</translation>
    </message>
    <message>
        <source>%1 lessons, all complete</source>
        <translation>共 %1 课，全部完好</translation>
    </message>
    <message>
        <source>%1 of %2 lessons have faults; %3 stray texts; %4 leftovers of stopped imports</source>
        <translation>%2 课中有 %1 课有问题；%3 个课文文字没有录音；%4 处是中断的导入留下的</translation>
    </message>
    <message>
        <source>%1 is %2 itself: writing it would destroy what is read; name another output</source>
        <translation>%1 就是 %2 本身：写入会毁掉正在读取的内容；请指定别的输出文件</translation>
    </message>
    <message>
        <source>usage:
  hearvex-lesson encode PLAIN.txt OUT.kvx   write a lesson text file from UTF-8 text
  hearvex-lesson decode IN.kvx [OUT.txt]    show (or write) a lesson&apos;s text as UTF-8
  hearvex-lesson check FOLDER               list a lesson folder in the program&apos;s order
                                            and report what is wrong with each lesson
  hearvex-lesson import MEDIA [SUBTITLES] [--into FOLDER] [--name NAME] [--replace]
                        [--max-words N] [--max-seconds S]
                                            one lesson per subtitle cue, or per sentence
                                            of a plain transcript (TRANSCRIPT.txt), each
                                            with its word times; a sentence over N words
                                            (20; 0: never) or S seconds (8) as phrases
  hearvex-lesson import --words-only FOLDER
                                            word times for the lessons imported without
  hearvex-lesson words LESSON.txt           a lesson&apos;s word times, one a line:
                                            start, end (s), confidence, word
  hearvex-lesson record [--db FILE] [--csv]   every check and compare, oldest first
  hearvex-lesson record words [--db FILE] [--csv]
                                            the word book: kept words, glosses, misses
  hearvex-lesson record due [--all] [--db FILE] [--csv]
                                            the sentences due for review now; --all: every
                                            sentence reviewed, with when it is due
  hearvex-lesson align MEDIA TRANSCRIPT.txt [-o OUT.srt] [--words OUT.tsv]
                                            time a plain transcript&apos;s sentences as SRT
                                            (and every word: start, end, confidence, word)
  hearvex-lesson compare [--tsv] SENTENCE TYPED
                                            compare a typed text with a sentence as F9 does,
                                            with the kind of each miss
  hearvex-lesson lookup [--tsv] WORD...   each word&apos;s lemma, pronunciation, frequency band
                                            (1 common .. 5 rare) and Chinese glosses
  hearvex-lesson shadow LESSON.txt TAKE [--sentence TEXT] [--tsv] [--details]
                                            which words of the sentence a take says,
                                            misses or says unclearly, and its score
  hearvex-lesson --help | --version</source>
        <translation>用法：
  hearvex-lesson encode PLAIN.txt OUT.kvx   把 UTF-8 文本写成课文文件（.kvx）
  hearvex-lesson decode IN.kvx [OUT.txt]    显示课文文件里的文字（或写成 UTF-8 文本文件）
  hearvex-lesson check FOLDER               按程序里的顺序列出课文文件夹里的课文，
                                            并指出每一课有什么问题
  hearvex-lesson import MEDIA [SUBTITLES] [--into FOLDER] [--name NAME] [--replace]
                        [--max-words N] [--max-seconds S]
                                            按字幕把录音切开，每句字幕做成一课；
                                            或按文字稿（TRANSCRIPT.txt）每句做成一课，
                                            都带每个词的时间；超过 N 个词（20；0：不分）
                                            或 S 秒（8）的句子按短语分开
  hearvex-lesson import --words-only FOLDER
                                            给导入时没有词时间的课文补上词时间
  hearvex-lesson words LESSON.txt           列出一课的词时间，每行一个：
                                            开始、结束（秒）、可信度、词
  hearvex-lesson record [--db FILE] [--csv]   列出练习记录里的每次检查和比较，从早到晚
  hearvex-lesson record words [--db FILE] [--csv]
                                            生词本：收下的词、释义和写错的次数
  hearvex-lesson record due [--all] [--db FILE] [--csv]
                                            列出现在该复习的句子；--all：列出复习过的
                                            每一句和它下次该复习的时间
  hearvex-lesson align MEDIA TRANSCRIPT.txt [-o OUT.srt] [--words OUT.tsv]
                                            给文字稿的每一句对上录音里的时间，写成 SRT 字幕
                                            （以及每个词：开始、结束、可信度、词）
  hearvex-lesson compare [--tsv] SENTENCE TYPED
                                            像 F9 那样把打出的文字和句子比较，
                                            并说出每处错误属于哪一类
  hearvex-lesson lookup [--tsv] WORD...   查词：每个词的原形、读音、常用度
                                            （1 最常用 .. 5 罕用）和中文释义
  hearvex-lesson shadow LESSON.txt TAKE [--sentence TEXT] [--tsv] [--details]
                                            跟读：一次录音里句子的哪些词说了、
                                            漏了或说得不清楚，以及得分
  hearvex-lesson --help | --version</translation>
    </message>
</context>
<context>
    <name>LookupCommand</name>
    <message>
        <source>usage: hearvex-lesson lookup [--tsv] WORD...</source>
        <translation>用法：hearvex-lesson lookup [--tsv] 单词...</translation>
    </message>
    <message>
        <source>hearvex-lesson: %1</source>
        <translation>hearvex-lesson：%1</translation>
    </message>
    <message>
        <source>hearvex-lesson: &quot;%1&quot; is not in the dictionary</source>
        <translation>hearvex-lesson：词典里没有“%1”</translation>
    </message>
    <message>
        <source>band %1</source>
        <translation>常用度 %1</translation>
    </message>
    <message>
        <source>forms: %1</source>
        <translation>词形：%1</translation>
    </message>
</context>
<context>
    <name>Record</name>
    <message>
        <source>  missed: </source>
        <translation>  写错：</translation>
    </message>
    <message>
        <source>%1  reviews %2  %3  %4
</source>
        <translation>%1  复习 %2 次  %3  %4
</translation>
    </message>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1：无法读取：%2</translation>
    </message>
    <message>
        <source>the CSV could not be written</source>
        <translation>无法写出 CSV</translation>
    </message>
    <message>
        <source>the output could not be written</source>
        <translation>无法写出结果</translation>
    </message>
    <message>
        <source>the record was written by a newer version of Hearvex</source>
        <translation>练习记录是更新版本的 Hearvex 写的</translation>
    </message>
    <message>
        <source>the record cannot be written</source>
        <translation>练习记录无法写入</translation>
    </message>
    <message>
        <source>the damaged record %1 cannot be moved aside</source>
        <translation>无法把损坏的练习记录 %1 移到一边</translation>
    </message>
    <message>
        <source>%1: no practice record</source>
        <translation>%1：没有练习记录</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>无法建立文件夹 %1</translation>
    </message>
    <message>
        <source>%1: not a readable practice record</source>
        <translation>%1：不是可读的练习记录</translation>
    </message>
    <message>
        <source>hearvex-lesson: %1</source>
        <translation>hearvex-lesson：%1</translation>
    </message>
    <message>
        <source>usage:
  hearvex-lesson record [--db FILE] [--csv]       every attempt, oldest first
  hearvex-lesson record due [--db FILE] [--csv]   the sentences due now
  hearvex-lesson record due --all [--db FILE] [--csv]   every sentence with a review, with its next due time
</source>
        <translation>用法：
  hearvex-lesson record [--db FILE] [--csv]       列出每次练习，从早到晚
  hearvex-lesson record due [--db FILE] [--csv]   列出现在该复习的句子
  hearvex-lesson record due --all [--db FILE] [--csv]   列出复习过的每一句和它下次该复习的时间
</translation>
    </message>
    <message>
        <source>the record cannot be written, nor brought up to date</source>
        <translation>练习记录无法写入，也无法更新到这个版本</translation>
    </message>
    <message>
        <source>there is no practice record at %1 yet</source>
        <translation>%1 还没有练习记录</translation>
    </message>
    <message>
        <source>%1 is not a practice record of this version</source>
        <translation>%1 不是这个版本的练习记录</translation>
    </message>
    <message>
        <source>no word to keep</source>
        <translation>没有可记下的词</translation>
    </message>
    <message>
        <source>the record could not be read to its end</source>
        <translation>练习记录没能读到结尾</translation>
    </message>
    <message>
        <source>the record was left half updated in a way this version of Hearvex cannot go on from</source>
        <translation>练习记录升级到一半，停在了这一版 Hearvex 无法接着做下去的状态</translation>
    </message>
</context>
<context>
    <name>ShadowCommand</name>
    <message>
        <source>hearvex-lesson shadow: %1</source>
        <translation>hearvex-lesson shadow：%1</translation>
    </message>
    <message>
        <source>%1: no sentence to compare with (give it with --sentence)</source>
        <translation>%1：没有可以对照的句子（请用 --sentence 给出）</translation>
    </message>
    <message>
        <source>  (much slower than the model)</source>
        <translation>  （比原声慢得多）</translation>
    </message>
    <message>
        <source>  (much faster than the model)</source>
        <translation>  （比原声快得多）</translation>
    </message>
    <message>
        <source>  (a pause before it, inside a phrase)</source>
        <translation>  （在短语中间多停顿了一下）</translation>
    </message>
    <message>
        <source>score %1: %2 of %3 words said</source>
        <translation>得分 %1：%3 个词读出了 %2 个</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 is not the sentence &quot;%2&quot;: another sentence, silence or noise</source>
        <translation>%1 不是句子“%2”：是别的句子、没有说话或只有杂音</translation>
    </message>
    <message>
        <source>usage: hearvex-lesson shadow LESSON.txt TAKE [--sentence TEXT] [--tsv] [--details]</source>
        <translation>用法：hearvex-lesson shadow 课文.txt 录音 [--sentence 句子] [--tsv] [--details]</translation>
    </message>
</context>
<context>
    <name>WordBookCommand</name>
    <message>
        <source>usage: hearvex-lesson record words [--db FILE] [--csv]</source>
        <translation>用法：hearvex-lesson record words [--db 文件] [--csv]</translation>
    </message>
    <message>
        <source>%1  missed %2</source>
        <translation>%1  错过 %2 次</translation>
    </message>
    <message>
        <source>hearvex-lesson: %1</source>
        <translation>hearvex-lesson：%1</translation>
    </message>
    <message>
        <source>hearvex-lesson: the CSV could not be written</source>
        <translation>hearvex-lesson：无法写出 CSV</translation>
    </message>
    <message>
        <source>the word book is empty: keep a word from the look-up panel (F2)</source>
        <translation>生词本是空的：在查词窗口（F2）里把词记下来</translation>
    </message>
</context>
<context>
    <name>WordClip</name>
    <message>
        <source>the word has no time in the recording</source>
        <translation>这个词在录音里没有时间</translation>
    </message>
    <message>
        <source>cannot read the recording: %1</source>
        <translation>无法读取录音：%1</translation>
    </message>
    <message>
        <source>the recording has no sound at the word&apos;s time</source>
        <translation>录音在这个词的时间上没有声音</translation>
    </message>
</context>
</TS>
