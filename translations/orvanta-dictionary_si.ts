<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="si">
<context>
    <name>DictionaryStore</name>
    <message>
        <source>The dictionary database is not open.</source>
        <translation>ශබ්දකෝෂ දත්ත සමුදාය විවෘත කර නැත.</translation>
    </message>
    <message>
        <source>Cannot open the dictionary file %1
%2</source>
        <translation>ශබ්දකෝෂ ගොනුව %1 විවෘත කළ නොහැක
%2</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>එම ගොනුව නොපවතී.</translation>
    </message>
</context>
<context>
    <name>Dictionary_0_9v</name>
    <message>
        <source>&lt;h3&gt;Orvanta Dictionary&lt;/h3&gt;&lt;p&gt;A English to Sinhala Dictionary just build&lt;br&gt;for simplicity&lt;/p&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;© 2026 Orvanta authors&lt;/p&gt;&lt;p&gt;Free software, MIT licence&lt;/p&gt;&lt;p&gt;Written for Norvelk&lt;/p&gt;&lt;p&gt;&lt;a href=&apos;https://norvelk.example/orvanta&apos;&gt;norvelk.example/orvanta&lt;/a&gt;&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Orvanta ශබ්දකෝෂය&lt;/h3&gt;&lt;p&gt;සරල බව සඳහාම සැකසූ&lt;br&gt;ඉංග්‍රීසි-සිංහල ශබ්දකෝෂයකි&lt;/p&gt;&lt;p&gt;අනුවාදය %1&lt;/p&gt;&lt;p&gt;© 2026 Orvanta කතුවරුන්&lt;/p&gt;&lt;p&gt;නිදහස් මෘදුකාංග, MIT&lt;/p&gt;&lt;p&gt;Norvelk සඳහා ලියන ලදී&lt;/p&gt;&lt;p&gt;&lt;a href=&apos;https://norvelk.example/orvanta&apos;&gt;norvelk.example/orvanta&lt;/a&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Type &lt;b&gt;-h&lt;/b&gt; or &lt;b&gt;--help&lt;/b&gt; in search box &lt;br /&gt;for view help document</source>
        <translation>උදව් ලේඛනය බැලීමට සෙවුම් කොටුවේ &lt;br /&gt;&lt;b&gt;-h&lt;/b&gt; හෝ &lt;b&gt;--help&lt;/b&gt; ලියන්න</translation>
    </message>
    <message>
        <source>Orvanta Dictionary</source>
        <translation>Orvanta ශබ්දකෝෂය</translation>
    </message>
    <message>
        <source>Always on top</source>
        <translation>සැමවිට ඉහළින්</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>ප්‍රධාන</translation>
    </message>
    <message>
        <source>Show history at startup</source>
        <translation>ආරම්භයේ ඉතිහාසය</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>හිස් කරන්න</translation>
    </message>
    <message>
        <source>History</source>
        <translation>ඉතිහාසය</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>උදව්</translation>
    </message>
    <message>
        <source>Dictionary</source>
        <translation>සෙවුම</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>සැකසුම්</translation>
    </message>
    <message>
        <source>About</source>
        <translation>පිළිබඳ</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>දෝෂය</translation>
    </message>
</context>
<context>
    <name>SearchCommand</name>
    <message>
        <source>Help Document</source>
        <translation>උදව් ලේඛනය</translation>
    </message>
    <message>
        <source>History: %1 or %2</source>
        <translation>ඉතිහාසය: %1 හෝ %2</translation>
    </message>
    <message>
        <source>Help: %1 or %2</source>
        <translation>උදව්: %1 හෝ %2</translation>
    </message>
    <message>
        <source>Version: %1 or %2</source>
        <translation>අනුවාදය: %1 හෝ %2</translation>
    </message>
</context>
</TS>
