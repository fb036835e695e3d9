<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
        <source>usage:
  hearvex-lesson encode PLAIN.txt OUT.kvx   write a lesson text file from UTF-8 text
  hearvex-lesson decode IN.kvx [OUT.txt]    show (or write) a lesson&apos;s text as UTF-8
  hearvex-lesson check FOLDER               list a lesson folder in the program&apos;s order
                                            and report what is wrong with each lesson
  hearvex-lesson import MEDIA [SUBTITLES] [--into FOLDER] [--name NAME] [--replace]
                                            one lesson per subtitle cue, or per sentence
                                            of a plain transcript (TRANSCRIPT.txt)
  hearvex-lesson record [--db FILE] [--csv]   every check and compare, oldest first
  hearvex-lesson record due [--db FILE] [--csv]
                                            the sentences due for review now
  hearvex-lesson align MEDIA TRANSCRIPT.txt [-o OUT.srt]
                                            time a plain transcript&apos;s sentences as SRT
  hearvex-lesson --help | --version</source>
        <translation>用法：
  hearvex-lesson encode PLAIN.txt OUT.kvx   把 UTF-8 文本写成课文文件（.kvx）
  hearvex-lesson decode IN.kvx [OUT.txt]    显示课文文件里的文字（或写成 UTF-8 文本文件）
  hearvex-lesson check FOLDER               按程序里的顺序列出课文文件夹里的课文，
                                            并指出每一课有什么问题
  hearvex-lesson import MEDIA [SUBTITLES] [--into FOLDER] [--name NAME] [--replace]
                                            按字幕把录音切开，每句字幕做成一课；
                                            或按文字稿（TRANSCRIPT.txt）每句做成一课
  hearvex-lesson record [--db FILE] [--csv]   列出练习记录里的每次检查和比较，从早到晚
  hearvex-lesson record due [--db FILE] [--csv]
                                            列出现在该复习的句子
  hearvex-lesson align MEDIA TRANSCRIPT.txt [-o OUT.srt]
                                            给文字稿的每一句对上录音里的时间，写成 SRT 字幕
  hearvex-lesson --help | --version</translation>
    </message>
</context>
</TS>
