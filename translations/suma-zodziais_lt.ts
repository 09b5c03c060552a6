<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The words of Qt that Qt's own Lithuanian translation (qt_lt.qm) lacks and a user of this
     program meets: in the window, its boxes and menus, zodziais's help and messages, and what
     assistive technology reads out. Contexts and sources are Qt's own. -->
<TS version="2.1" language="lt_LT">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>Gerai</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Naudojimas: %1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[parinktys]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Parinktys:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumentai:</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>nežinoma parinktis &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>nežinomos parinktys: %1</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>po &quot;%1&quot; trūksta reikšmės</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>parinkčiai &quot;%1&quot; reikšmės nereikia</translation>
    </message>
</context>
<context>
    <name>QUnicodeControlCharacterMenu</name>
    <message>
        <source>LRI Left-to-right isolate</source>
        <translation>LRI Atskirta iš kairės į dešinę</translation>
    </message>
    <message>
        <source>RLI Right-to-left isolate</source>
        <translation>RLI Atskirta iš dešinės į kairę</translation>
    </message>
    <message>
        <source>FSI First strong isolate</source>
        <translation>FSI Atskirta pagal pirmą kryptingą ženklą</translation>
    </message>
    <message>
        <source>PDI Pop directional isolate</source>
        <translation>PDI Atskyrimo pabaiga</translation>
    </message>
</context>
<context>
    <name>QAccessibleActionInterface</name>
    <message>
        <source>Press</source>
        <translation>Paspausti</translation>
    </message>
    <message>
        <source>Triggers the action</source>
        <translation>Atlieka veiksmą</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>Perjungti</translation>
    </message>
    <message>
        <source>Toggles the state</source>
        <translation>Perjungia būseną</translation>
    </message>
    <message>
        <source>SetFocus</source>
        <translation>Perkelti židinį</translation>
    </message>
    <message>
        <source>Sets the focus</source>
        <translation>Perkelia židinį čia</translation>
    </message>
    <message>
        <source>ShowMenu</source>
        <translation>Rodyti meniu</translation>
    </message>
    <message>
        <source>Shows the menu</source>
        <translation>Parodo meniu</translation>
    </message>
</context>
<context>
    <name>QSpiAccessibleBridge</name>
    <message>
        <source>application</source>
        <translation>programa</translation>
    </message>
    <message>
        <source>frame</source>
        <translation>langas</translation>
    </message>
    <message>
        <source>panel</source>
        <translation>skydelis</translation>
    </message>
    <message>
        <source>push button</source>
        <translation>mygtukas</translation>
    </message>
    <message>
        <source>check box</source>
        <translation>žymimasis langelis</translation>
    </message>
    <message>
        <source>radio button</source>
        <translation>parinkties mygtukas</translation>
    </message>
    <message>
        <source>text</source>
        <translation>teksto laukas</translation>
    </message>
    <message>
        <source>label</source>
        <translation>etiketė</translation>
    </message>
    <message>
        <source>graphic</source>
        <translation>paveikslėlis</translation>
    </message>
    <message>
        <source>popup menu</source>
        <translation>iškylantysis meniu</translation>
    </message>
    <message>
        <source>menu item</source>
        <translation>meniu punktas</translation>
    </message>
    <message>
        <source>separator</source>
        <translation>skirtukas</translation>
    </message>
    <message>
        <source>alert message</source>
        <translation>pranešimas</translation>
    </message>
    <message>
        <source>dialog</source>
        <translation>dialogo langas</translation>
    </message>
    <message>
        <source>tool tip</source>
        <translation>paaiškinimas</translation>
    </message>
    <message>
        <source>filler</source>
        <translation>užpildas</translation>
    </message>
</context>
</TS>
