<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CqWndTracker</name>
    <message numerus="yes">
        <source>%n food(s) of categories no longer listed stayed behind.</source>
        <translation>
            <numerusform>%n food of categories no longer listed stayed behind.</numerusform>
            <numerusform>%n foods of categories no longer listed stayed behind.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CqWndWeight</name>
    <message numerus="yes">
        <source>%n changes waiting to be sent</source>
        <translation>
            <numerusform>%n change waiting to be sent</numerusform>
            <numerusform>%n changes waiting to be sent</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n weighings.</source>
        <translation>
            <numerusform>Imported %n weighing.</numerusform>
            <numerusform>Imported %n weighings.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Skipped %n rows:</source>
        <translation>
            <numerusform>Skipped %n row:</numerusform>
            <numerusform>Skipped %n rows:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>and %n more.</numerusform>
            <numerusform>and %n more.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QuickEntryPanel</name>
    <message numerus="yes">
        <source>The first %n foods found. %1</source>
        <extracomment>%1 is the keys of the list</extracomment>
        <translation>
            <numerusform>The first %n food found. %1</numerusform>
            <numerusform>The first %n foods found. %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n foods found. %1</source>
        <extracomment>%1 is the keys of the list</extracomment>
        <translation>
            <numerusform>%n food found. %1</numerusform>
            <numerusform>%n foods found. %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ServiceMessages</name>
    <message numerus="yes">
        <source>Too many attempts. Try again in %n minutes.</source>
        <translation>
            <numerusform>Too many attempts. Try again in %n minute.</numerusform>
            <numerusform>Too many attempts. Try again in %n minutes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WeightChartView</name>
    <message numerus="yes">
        <source>%n weighings from %1 to %2</source>
        <translation>
            <numerusform>%n weighing from %1 to %2</numerusform>
            <numerusform>%n weighings from %1 to %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WeightSummary</name>
    <message numerus="yes">
        <source>Change per week: down %1 (over the last %n days)</source>
        <translation>
            <numerusform>Change per week: down %1 (over the last day)</numerusform>
            <numerusform>Change per week: down %1 (over the last %n days)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Change per week: up %1 (over the last %n days)</source>
        <translation>
            <numerusform>Change per week: up %1 (over the last day)</numerusform>
            <numerusform>Change per week: up %1 (over the last %n days)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Change per week: steady (over the last %n days)</source>
        <translation>
            <numerusform>Change per week: steady (over the last day)</numerusform>
            <numerusform>Change per week: steady (over the last %n days)</numerusform>
        </translation>
    </message>
</context>
</TS>
