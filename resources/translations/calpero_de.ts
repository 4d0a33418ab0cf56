<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Errors</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Schreiben in %1 nicht möglich</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>„%1“ ist keine gültige Gleitkommazahl</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is too large for a power</source>
        <translation>„%1“ ist zu groß für einen Exponenten</translation>
    </message>
    <message>
        <source>Floating point overflow</source>
        <translation>Gleitkommaüberlauf</translation>
    </message>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>Listenindex außerhalb des gültigen Bereichs (%1)</translation>
    </message>
    <message>
        <source>The unit name &apos;%1&apos; cannot be stored: %2</source>
        <translation>Der Einheitenname „%1“ kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>er ist leer</translation>
    </message>
    <message>
        <source>it contains a NUL character</source>
        <translation>er enthält ein NUL-Zeichen</translation>
    </message>
    <message>
        <source>it contains a line break</source>
        <translation>er enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>it contains &apos;]&apos;</source>
        <translation>er enthält „]“</translation>
    </message>
    <message>
        <source>it begins with a space or tab</source>
        <translation>er beginnt mit einem Leerzeichen oder Tabulator</translation>
    </message>
    <message>
        <source>it ends with a space or tab</source>
        <translation>er endet mit einem Leerzeichen oder Tabulator</translation>
    </message>
    <message>
        <source>Nothing undone: another program has changed the catalogue since</source>
        <translation>Nichts rückgängig gemacht: Ein anderes Programm hat den Katalog seither geändert</translation>
    </message>
    <message>
        <source>Nothing redone: another program has changed the catalogue since</source>
        <translation>Nichts wiederholt: Ein anderes Programm hat den Katalog seither geändert</translation>
    </message>
    <message>
        <source>Nothing undone: another program has changed the backup since</source>
        <translation>Nichts rückgängig gemacht: Ein anderes Programm hat die Sicherung seither geändert</translation>
    </message>
    <message>
        <source>Nothing redone: another program has changed the backup since</source>
        <translation>Nichts wiederholt: Ein anderes Programm hat die Sicherung seither geändert</translation>
    </message>
    <message>
        <source>Nothing undone: another program has changed %1 since</source>
        <translation>Nichts rückgängig gemacht: Ein anderes Programm hat %1 seither geändert</translation>
    </message>
    <message>
        <source>Nothing redone: another program has changed %1 since</source>
        <translation>Nichts wiederholt: Ein anderes Programm hat %1 seither geändert</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>Resultant powers: evaluate, save, back up, clear, help</source>
        <translation>Exponenten des Ergebnisses: berechnen, speichern, sichern, leeren, Hilfe</translation>
    </message>
    <message>
        <source>Resultant powers: same as %1</source>
        <translation>Exponenten des Ergebnisses: entsprechen %1</translation>
    </message>
    <message>
        <source>Cannot find the browser!</source>
        <translation>Der Browser wurde nicht gefunden!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>Find: </source>
        <translation>Finde</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Available units</source>
        <translation>Verfügbare Einheiten</translation>
    </message>
    <message>
        <source>Power to which Mass is raised</source>
        <translation>Exponent der Masse</translation>
    </message>
    <message>
        <source>Power to which Length is raised</source>
        <translation>Exponent der Länge</translation>
    </message>
    <message>
        <source>Power to which Temperature is raised</source>
        <translation>Exponent der Temperatur</translation>
    </message>
    <message>
        <source>Power to which Time is raised</source>
        <translation>Exponent der Zeit</translation>
    </message>
    <message>
        <source>Mass</source>
        <translation>Masse</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Numerator (drag and drop text here)</source>
        <translation>Zähler (Einheiten hierher ziehen)</translation>
    </message>
    <message>
        <source>Denominator (drag and drop text here)</source>
        <translation>Nenner (Einheiten hierher ziehen)</translation>
    </message>
    <message>
        <source>Dividing Line</source>
        <translation>Bruchstrich</translation>
    </message>
    <message>
        <source>Trash (can not be undone!)</source>
        <translation>Papierkorb (kann nicht rückgängig gemacht werden!)</translation>
    </message>
    <message>
        <source>Evaluate resultant</source>
        <translation>Ergebnis berechnen</translation>
    </message>
    <message>
        <source>Evaluate numerator</source>
        <translation>Zähler berechnen</translation>
    </message>
    <message>
        <source>Evaluate denominator</source>
        <translation>Nenner berechnen</translation>
    </message>
    <message>
        <source>Make this arrangement a new variable</source>
        <translation>Diese Anordnung als neue Einheit speichern</translation>
    </message>
    <message>
        <source>Back files up</source>
        <translation>Katalog sichern</translation>
    </message>
    <message>
        <source>Clear the work area</source>
        <translation>Arbeitsfläche leeren</translation>
    </message>
    <message>
        <source>Show Help</source>
        <translation>Hilfe anzeigen</translation>
    </message>
    <message>
        <source>Add selection to numerator</source>
        <translation>Auswahl zum Zähler hinzufügen</translation>
    </message>
    <message>
        <source>Add selection to denominator</source>
        <translation>Auswahl zum Nenner hinzufügen</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete this variable from the work area</source>
        <translation>Diese Einheit von der Arbeitsfläche entfernen</translation>
    </message>
    <message>
        <source>Hidden by %1, which comes first in the catalogue: this item acts on it</source>
        <translation>Verdeckt von %1, das im Katalog zuerst steht: Dieser Eintrag wirkt darauf</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 cannot be read with the decimal separator &apos;%3&apos;; counted as 0</source>
        <translation>
            <numerusform>%1: %2 kann mit dem Dezimaltrennzeichen &apos;%3&apos; nicht gelesen werden; als 0 gezählt</numerusform>
            <numerusform>%1: %2 können mit dem Dezimaltrennzeichen &apos;%3&apos; nicht gelesen werden; als 0 gezählt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NewVarDlg</name>
    <message>
        <source>Some fields were left blank - data not saved</source>
        <translation>Einige Felder sind leer – nichts gespeichert</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The unit already exists.  Do you want to replace it?</source>
        <translation>Die Einheit gibt es schon. Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Create Variable Dialogue</source>
        <translation>Neue Einheit anlegen</translation>
    </message>
    <message>
        <source>Variable Name</source>
        <translation>Einheitenname</translation>
    </message>
    <message>
        <source>Variable name</source>
        <translation>Einheitenname</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save &amp;&amp; Exit</source>
        <translation>Speichern, zu</translation>
    </message>
    <message>
        <source>Save variable and Exit</source>
        <translation>Einheit speichern und schließen</translation>
    </message>
    <message>
        <source>Mass</source>
        <translation>Masse</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Power to which mass is raised</source>
        <translation>Exponent der Masse</translation>
    </message>
    <message>
        <source>Power to which length is raised</source>
        <translation>Exponent der Länge</translation>
    </message>
    <message>
        <source>Power to which temperature is raised</source>
        <translation>Exponent der Temperatur</translation>
    </message>
    <message>
        <source>Power to which time is raised</source>
        <translation>Exponent der Zeit</translation>
    </message>
</context>
<context>
    <name>SpokenResults</name>
    <message>
        <source>minus %1</source>
        <translation>minus %1</translation>
    </message>
    <message>
        <source>denominator</source>
        <translation>Nenner</translation>
    </message>
    <message>
        <source>numerator</source>
        <translation>Zähler</translation>
    </message>
    <message>
        <source>mass %1, length %2, temperature %3, time %4</source>
        <translation>Masse %1, Länge %2, Temperatur %3, Zeit %4</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>%1 moved to the %2. The %2 now: %3.</source>
        <translation>%1 in den %2 verschoben. Der %2 jetzt: %3.</translation>
    </message>
    <message>
        <source>%1 moved to the %2.</source>
        <translation>%1 in den %2 verschoben.</translation>
    </message>
    <message>
        <source>%1 placed in the %2. The %2 now: %3.</source>
        <translation>%1 in den %2 gelegt. Der %2 jetzt: %3.</translation>
    </message>
    <message>
        <source>%1 placed in the %2.</source>
        <translation>%1 in den %2 gelegt.</translation>
    </message>
    <message>
        <source>%1 taken off the %2. The %2 now: %3.</source>
        <translation>%1 aus dem %2 genommen. Der %2 jetzt: %3.</translation>
    </message>
    <message>
        <source>%1 taken off the %2.</source>
        <translation>%1 aus dem %2 genommen.</translation>
    </message>
    <message>
        <source>Resultant</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Numerator</source>
        <translation>Zähler</translation>
    </message>
    <message>
        <source>Denominator</source>
        <translation>Nenner</translation>
    </message>
    <message>
        <source>%1: %2; same as %3.</source>
        <translation>%1: %2; entspricht %3.</translation>
    </message>
    <message>
        <source>Work area cleared.</source>
        <translation>Arbeitsfläche geleert.</translation>
    </message>
    <message>
        <source>%1 erased from the catalogue.</source>
        <translation>%1 aus dem Katalog gelöscht.</translation>
    </message>
    <message>
        <source>%1 replaced in the catalogue.</source>
        <translation>%1 im Katalog ersetzt.</translation>
    </message>
    <message>
        <source>%1 saved in the catalogue.</source>
        <translation>%1 im Katalog gespeichert.</translation>
    </message>
    <message>
        <source>Catalogue backed up.</source>
        <translation>Katalog gesichert.</translation>
    </message>
    <message>
        <source>Catalogue restored from the backup.</source>
        <translation>Katalog aus der Sicherung wiederhergestellt.</translation>
    </message>
    <message>
        <source>Nothing to undo.</source>
        <translation>Nichts rückgängig zu machen.</translation>
    </message>
    <message>
        <source>Nothing to redo.</source>
        <translation>Nichts zu wiederholen.</translation>
    </message>
    <message>
        <source>%1 restored to the catalogue.</source>
        <translation>%1 wieder im Katalog.</translation>
    </message>
    <message>
        <source>%1 erased from the catalogue again.</source>
        <translation>%1 erneut aus dem Katalog gelöscht.</translation>
    </message>
    <message>
        <source>Undid the save of %1.</source>
        <translation>Speichern von %1 rückgängig gemacht.</translation>
    </message>
    <message>
        <source>%1 saved in the catalogue again.</source>
        <translation>%1 erneut im Katalog gespeichert.</translation>
    </message>
    <message>
        <source>Old powers of %1 back in the catalogue.</source>
        <translation>Alte Potenzen von %1 wieder im Katalog.</translation>
    </message>
    <message>
        <source>%1 replaced in the catalogue again.</source>
        <translation>%1 erneut im Katalog ersetzt.</translation>
    </message>
    <message>
        <source>Undid the restore.</source>
        <translation>Wiederherstellung aus der Sicherung rückgängig gemacht.</translation>
    </message>
    <message>
        <source>Catalogue restored from the backup again.</source>
        <translation>Katalog erneut aus der Sicherung wiederhergestellt.</translation>
    </message>
    <message>
        <source>Undid the backup.</source>
        <translation>Sicherung rückgängig gemacht.</translation>
    </message>
    <message>
        <source>Catalogue backed up again.</source>
        <translation>Katalog erneut gesichert.</translation>
    </message>
    <message>
        <source>No units.</source>
        <translation>Keine Einheiten.</translation>
    </message>
    <message>
        <source>1 unit.</source>
        <translation>1 Einheit.</translation>
    </message>
    <message>
        <source>%1 units.</source>
        <translation>%1 Einheiten.</translation>
    </message>
</context>
</TS>
