<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Errors</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d&apos;écrire dans %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un nombre à virgule flottante valide</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is too large for a power</source>
        <translation>«&#xa0;%1&#xa0;» est trop grand pour un exposant</translation>
    </message>
    <message>
        <source>Floating point overflow</source>
        <translation>Dépassement de capacité en virgule flottante</translation>
    </message>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>Indice de liste hors limites (%1)</translation>
    </message>
    <message>
        <source>The unit name &apos;%1&apos; cannot be stored: %2</source>
        <translation>Le nom d&apos;unité «&#xa0;%1&#xa0;» ne peut pas être enregistré&#xa0;: %2</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>il est vide</translation>
    </message>
    <message>
        <source>it contains a NUL character</source>
        <translation>il contient un caractère NUL</translation>
    </message>
    <message>
        <source>it contains a line break</source>
        <translation>il contient un saut de ligne</translation>
    </message>
    <message>
        <source>it contains &apos;]&apos;</source>
        <translation>il contient «&#xa0;]&#xa0;»</translation>
    </message>
    <message>
        <source>it begins with a space or tab</source>
        <translation>il commence par une espace ou une tabulation</translation>
    </message>
    <message>
        <source>it ends with a space or tab</source>
        <translation>il se termine par une espace ou une tabulation</translation>
    </message>
    <message>
        <source>Nothing undone: another program has changed the catalogue since</source>
        <translation>Rien n&apos;a été annulé : un autre programme a modifié le catalogue depuis</translation>
    </message>
    <message>
        <source>Nothing redone: another program has changed the catalogue since</source>
        <translation>Rien n&apos;a été rétabli : un autre programme a modifié le catalogue depuis</translation>
    </message>
    <message>
        <source>Nothing undone: another program has changed the backup since</source>
        <translation>Rien n&apos;a été annulé : un autre programme a modifié la sauvegarde depuis</translation>
    </message>
    <message>
        <source>Nothing redone: another program has changed the backup since</source>
        <translation>Rien n&apos;a été rétabli : un autre programme a modifié la sauvegarde depuis</translation>
    </message>
    <message>
        <source>Nothing undone: another program has changed %1 since</source>
        <translation>Rien n&apos;a été annulé : un autre programme a modifié %1 depuis</translation>
    </message>
    <message>
        <source>Nothing redone: another program has changed %1 since</source>
        <translation>Rien n&apos;a été rétabli : un autre programme a modifié %1 depuis</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>Resultant powers: evaluate, save, back up, clear, help</source>
        <translation>Exposants du résultat&#xa0;: calculer, enregistrer, sauvegarder, vider, aide</translation>
    </message>
    <message>
        <source>Resultant powers: same as %1</source>
        <translation>Exposants du résultat&#xa0;: identiques à %1</translation>
    </message>
    <message>
        <source>Cannot find the browser!</source>
        <translation>Navigateur introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>Find: </source>
        <translation>Nom&#x202f;:</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Available units</source>
        <translation>Unités disponibles</translation>
    </message>
    <message>
        <source>Power to which Mass is raised</source>
        <translation>Exposant de la masse</translation>
    </message>
    <message>
        <source>Power to which Length is raised</source>
        <translation>Exposant de la longueur</translation>
    </message>
    <message>
        <source>Power to which Temperature is raised</source>
        <translation>Exposant de la température</translation>
    </message>
    <message>
        <source>Power to which Time is raised</source>
        <translation>Exposant du temps</translation>
    </message>
    <message>
        <source>Mass</source>
        <translation>Masse</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Longueur</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Température</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Numerator (drag and drop text here)</source>
        <translation>Numérateur (glisser-déposer les unités ici)</translation>
    </message>
    <message>
        <source>Denominator (drag and drop text here)</source>
        <translation>Dénominateur (glisser-déposer les unités ici)</translation>
    </message>
    <message>
        <source>Dividing Line</source>
        <translation>Barre de fraction</translation>
    </message>
    <message>
        <source>Trash (can not be undone!)</source>
        <translation>Corbeille (action irréversible&#xa0;!)</translation>
    </message>
    <message>
        <source>Evaluate resultant</source>
        <translation>Calculer le résultat</translation>
    </message>
    <message>
        <source>Evaluate numerator</source>
        <translation>Calculer le numérateur</translation>
    </message>
    <message>
        <source>Evaluate denominator</source>
        <translation>Calculer le dénominateur</translation>
    </message>
    <message>
        <source>Make this arrangement a new variable</source>
        <translation>Enregistrer cet agencement comme nouvelle unité</translation>
    </message>
    <message>
        <source>Back files up</source>
        <translation>Sauvegarder le catalogue</translation>
    </message>
    <message>
        <source>Clear the work area</source>
        <translation>Vider la zone de travail</translation>
    </message>
    <message>
        <source>Show Help</source>
        <translation>Afficher l&apos;aide</translation>
    </message>
    <message>
        <source>Add selection to numerator</source>
        <translation>Ajouter la sélection au numérateur</translation>
    </message>
    <message>
        <source>Add selection to denominator</source>
        <translation>Ajouter la sélection au dénominateur</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Delete this variable from the work area</source>
        <translation>Retirer cette unité de la zone de travail</translation>
    </message>
    <message>
        <source>Hidden by %1, which comes first in the catalogue: this item acts on it</source>
        <translation>Masqué par %1, qui vient en premier dans le catalogue&#xa0;: cet élément agit sur lui</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 cannot be read with the decimal separator &apos;%3&apos;; counted as 0</source>
        <translation>
            <numerusform>%1&#xa0;: %2 ne peut pas être lu avec le séparateur décimal «&#xa0;%3&#xa0;»&#xa0;; compté comme 0</numerusform>
            <numerusform>%1&#xa0;: %2 ne peuvent pas être lus avec le séparateur décimal «&#xa0;%3&#xa0;»&#xa0;; comptés comme 0</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NewVarDlg</name>
    <message>
        <source>Some fields were left blank - data not saved</source>
        <translation>Certains champs sont vides – rien n&apos;a été enregistré</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>The unit already exists.  Do you want to replace it?</source>
        <translation>Cette unité existe déjà. Voulez-vous la remplacer&#xa0;?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Create Variable Dialogue</source>
        <translation>Créer une unité</translation>
    </message>
    <message>
        <source>Variable Name</source>
        <translation>Nom de l&apos;unité</translation>
    </message>
    <message>
        <source>Variable name</source>
        <translation>Nom de l&apos;unité</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save &amp;&amp; Exit</source>
        <translation>Enr. et fermer</translation>
    </message>
    <message>
        <source>Save variable and Exit</source>
        <translation>Enregistrer l&apos;unité et fermer</translation>
    </message>
    <message>
        <source>Mass</source>
        <translation>Masse</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Longueur</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Température</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Power to which mass is raised</source>
        <translation>Exposant de la masse</translation>
    </message>
    <message>
        <source>Power to which length is raised</source>
        <translation>Exposant de la longueur</translation>
    </message>
    <message>
        <source>Power to which temperature is raised</source>
        <translation>Exposant de la température</translation>
    </message>
    <message>
        <source>Power to which time is raised</source>
        <translation>Exposant du temps</translation>
    </message>
</context>
<context>
    <name>SpokenResults</name>
    <message>
        <source>minus %1</source>
        <translation>moins %1</translation>
    </message>
    <message>
        <source>denominator</source>
        <translation>dénominateur</translation>
    </message>
    <message>
        <source>numerator</source>
        <translation>numérateur</translation>
    </message>
    <message>
        <source>mass %1, length %2, temperature %3, time %4</source>
        <translation>masse %1, longueur %2, température %3, temps %4</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>%1 moved to the %2. The %2 now: %3.</source>
        <translation>Unité %1 déplacée vers le %2. Le %2 maintenant&#xa0;: %3.</translation>
    </message>
    <message>
        <source>%1 moved to the %2.</source>
        <translation>Unité %1 déplacée vers le %2.</translation>
    </message>
    <message>
        <source>%1 placed in the %2. The %2 now: %3.</source>
        <translation>Unité %1 placée au %2. Le %2 maintenant&#xa0;: %3.</translation>
    </message>
    <message>
        <source>%1 placed in the %2.</source>
        <translation>Unité %1 placée au %2.</translation>
    </message>
    <message>
        <source>%1 taken off the %2. The %2 now: %3.</source>
        <translation>Unité %1 retirée du %2. Le %2 maintenant&#xa0;: %3.</translation>
    </message>
    <message>
        <source>%1 taken off the %2.</source>
        <translation>Unité %1 retirée du %2.</translation>
    </message>
    <message>
        <source>Resultant</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Numerator</source>
        <translation>Numérateur</translation>
    </message>
    <message>
        <source>Denominator</source>
        <translation>Dénominateur</translation>
    </message>
    <message>
        <source>%1: %2; same as %3.</source>
        <translation>%1&#xa0;: %2&#xa0;; identique à %3.</translation>
    </message>
    <message>
        <source>Work area cleared.</source>
        <translation>Zone de travail vidée.</translation>
    </message>
    <message>
        <source>%1 erased from the catalogue.</source>
        <translation>Unité %1 supprimée du catalogue.</translation>
    </message>
    <message>
        <source>%1 replaced in the catalogue.</source>
        <translation>Unité %1 remplacée dans le catalogue.</translation>
    </message>
    <message>
        <source>%1 saved in the catalogue.</source>
        <translation>Unité %1 enregistrée dans le catalogue.</translation>
    </message>
    <message>
        <source>Catalogue backed up.</source>
        <translation>Catalogue sauvegardé.</translation>
    </message>
    <message>
        <source>Catalogue restored from the backup.</source>
        <translation>Catalogue restauré depuis la sauvegarde.</translation>
    </message>
    <message>
        <source>Nothing to undo.</source>
        <translation>Rien à annuler.</translation>
    </message>
    <message>
        <source>Nothing to redo.</source>
        <translation>Rien à rétablir.</translation>
    </message>
    <message>
        <source>%1 restored to the catalogue.</source>
        <translation>Unité %1 remise dans le catalogue.</translation>
    </message>
    <message>
        <source>%1 erased from the catalogue again.</source>
        <translation>Unité %1 de nouveau supprimée du catalogue.</translation>
    </message>
    <message>
        <source>Undid the save of %1.</source>
        <translation>Enregistrement de %1 annulé.</translation>
    </message>
    <message>
        <source>%1 saved in the catalogue again.</source>
        <translation>Unité %1 de nouveau enregistrée dans le catalogue.</translation>
    </message>
    <message>
        <source>Old powers of %1 back in the catalogue.</source>
        <translation>Anciennes puissances de %1 remises dans le catalogue.</translation>
    </message>
    <message>
        <source>%1 replaced in the catalogue again.</source>
        <translation>Unité %1 de nouveau remplacée dans le catalogue.</translation>
    </message>
    <message>
        <source>Undid the restore.</source>
        <translation>Restauration annulée.</translation>
    </message>
    <message>
        <source>Catalogue restored from the backup again.</source>
        <translation>Catalogue de nouveau restauré depuis la sauvegarde.</translation>
    </message>
    <message>
        <source>Undid the backup.</source>
        <translation>Sauvegarde annulée.</translation>
    </message>
    <message>
        <source>Catalogue backed up again.</source>
        <translation>Catalogue de nouveau sauvegardé.</translation>
    </message>
    <message>
        <source>No units.</source>
        <translation>Aucune unité.</translation>
    </message>
    <message>
        <source>1 unit.</source>
        <translation>1 unité.</translation>
    </message>
    <message>
        <source>%1 units.</source>
        <translation>%1 unités.</translation>
    </message>
</context>
</TS>
