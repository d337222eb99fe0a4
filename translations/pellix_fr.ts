<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="it_IT">
<context>
    <name>AppDelegate</name>
    <message>
        <source>Mostra Control Panel</source>
        <translation>Afficher le panneau de contrôle</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>BatteryRingView</name>
    <message>
        <source>In carica</source>
        <translation>En charge</translation>
    </message>
    <message>
        <source>Alimentazione</source>
        <translation>Alimentation</translation>
    </message>
</context>
<context>
    <name>BatteryWidgetView</name>
    <message>
        <source>Nessuna batteria</source>
        <translation>Aucune batterie</translation>
    </message>
</context>
<context>
    <name>ClockSidePanel</name>
    <message>
        <source>Nessun altro impegno oggi</source>
        <translation>Aucun autre événement aujourd&apos;hui</translation>
    </message>
</context>
<context>
    <name>ClockText</name>
    <message>
        <source>dddd, MMM d</source>
        <comment>QLocale date pattern, month before day</comment>
        <translation>dddd d MMM</translation>
    </message>
    <message>
        <source>dddd, d MMM</source>
        <comment>QLocale date pattern, day before month</comment>
        <translation>dddd d MMM</translation>
    </message>
    <message>
        <source>dddd, MMMM d</source>
        <comment>QLocale date pattern said in full, month before day</comment>
        <translation>dddd d MMMM</translation>
    </message>
    <message>
        <source>dddd, d MMMM</source>
        <comment>QLocale date pattern said in full, day before month</comment>
        <translation>dddd d MMMM</translation>
    </message>
</context>
<context>
    <name>ExtensionLoader</name>
    <message>
        <source>creato per la API dei widget %1, questo host ha la %2</source>
        <translation>conçu pour l’API de widgets %1, cet hôte a la %2</translation>
    </message>
    <message>
        <source>creato per la API dei widget %1, questo host ha la %2 (serve un PellixWidget più recente)</source>
        <translation>conçu pour l’API de widgets %1, cet hôte a la %2 (il faut un PellixWidget plus récent)</translation>
    </message>
    <message>
        <source>%1 appartiene a un altro utente (uid %2)</source>
        <translation>%1 appartient à un autre utilisateur (uid %2)</translation>
    </message>
    <message>
        <source>%1 è scrivibile da altri utenti</source>
        <translation>%1 est modifiable par d’autres utilisateurs</translation>
    </message>
    <message>
        <source>non si può leggere</source>
        <translation>illisible</translation>
    </message>
    <message>
        <source>non è un plug-in Qt</source>
        <translation>pas un plug-in Qt</translation>
    </message>
    <message>
        <source>non è un&apos;estensione di PellixWidget (la sua interfaccia è «%1»)</source>
        <translation>pas une extension PellixWidget (son interface est « %1 »)</translation>
    </message>
    <message>
        <source>mancano l&apos;id o la versione della API nei suoi metadati (li dichiara pellix_add_widget_extension)</source>
        <translation>ni id ni version d’API dans ses métadonnées (pellix_add_widget_extension les déclare)</translation>
    </message>
    <message>
        <source>l&apos;id %1 è già usato da %2</source>
        <translation>l’id %1 est déjà pris par %2</translation>
    </message>
    <message>
        <source>non si può caricare: %1</source>
        <translation>impossible à charger : %1</translation>
    </message>
    <message>
        <source>il suo oggetto plug-in non è un bundle di widget</source>
        <translation>son objet plug-in n’est pas un bundle de widgets</translation>
    </message>
</context>
<context>
    <name>ExtensionServer</name>
    <message>
        <source>bloccato nel disegno per %1 s</source>
        <translation>bloqué %1 s en dessinant</translation>
    </message>
    <message>
        <source>bloccato nel suo provider per %1 s</source>
        <translation>bloqué %1 s dans son fournisseur</translation>
    </message>
    <message>
        <source>bloccato in %1 per %2 s</source>
        <translation>bloqué %2 s dans %1</translation>
    </message>
    <message>
        <source>ha superato il suo limite di memoria di %1 MB</source>
        <translation>a dépassé sa limite de mémoire de %1 Mo</translation>
    </message>
    <message>
        <source>ha superato il suo limite di memoria</source>
        <translation>a dépassé sa limite de mémoire</translation>
    </message>
</context>
<context>
    <name>GalleryWindow</name>
    <message>
        <source>Galleria widget</source>
        <translation>Galerie de widgets</translation>
    </message>
</context>
<context>
    <name>MusicContentView</name>
    <message>
        <source>In attesa di musica…</source>
        <translation>En attente de musique…</translation>
    </message>
    <message>
        <source>Brano precedente</source>
        <translation>Morceau précédent</translation>
    </message>
    <message>
        <source>Metti in pausa</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Riproduci</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Brano successivo</source>
        <translation>Morceau suivant</translation>
    </message>
</context>
<context>
    <name>MusicWidgetView</name>
    <message>
        <source>in riproduzione</source>
        <translation>en lecture</translation>
    </message>
</context>
<context>
    <name>PellixBatteryWidgetView</name>
    <message>
        <source>STATO BATTERIA</source>
        <translation>ÉTAT BATTERIE</translation>
    </message>
    <message>
        <source>100% - Carica</source>
        <translation>100% - Chargée</translation>
    </message>
</context>
<context>
    <name>PellixClockWidgetView</name>
    <message>
        <source>dddd MMMM d</source>
        <comment>QLocale date pattern, month before day</comment>
        <translation>dddd d MMMM</translation>
    </message>
    <message>
        <source>dddd d MMMM</source>
        <comment>QLocale date pattern, day before month</comment>
        <translation>dddd d MMMM</translation>
    </message>
</context>
<context>
    <name>PellixMusicWidgetView</name>
    <message>
        <source>Non in Riproduzione</source>
        <translation>Aucune lecture</translation>
    </message>
    <message>
        <source>In Riproduzione</source>
        <translation>En lecture</translation>
    </message>
    <message>
        <source>Riproduci della musica</source>
        <translation>Lancez de la musique</translation>
    </message>
</context>
<context>
    <name>PellixWeatherWidgetView</name>
    <message>
        <source>Percepito %1</source>
        <comment>felt temperature</comment>
        <translation>Ressenti %1</translation>
    </message>
    <message>
        <source>METEO</source>
        <translation>MÉTÉO</translation>
    </message>
    <message>
        <source>Nessun dato</source>
        <translation>Aucune donnée</translation>
    </message>
</context>
<context>
    <name>PellixWidgets</name>
    <message>
        <source>Pellix - Orologio</source>
        <translation>Pellix - Horloge</translation>
    </message>
    <message>
        <source>Visualizza l&apos;ora corrente e la data.</source>
        <translation>Affiche l&apos;heure et la date actuelles.</translation>
    </message>
    <message>
        <source>Pellix - Meteo</source>
        <translation>Pellix - Météo</translation>
    </message>
    <message>
        <source>Visualizza la temperatura e le condizioni del meteo corrente.</source>
        <translation>Affiche la température et les conditions météo actuelles.</translation>
    </message>
    <message>
        <source>Pellix - Now Playing</source>
        <translation>Pellix - À l&apos;écoute</translation>
    </message>
    <message>
        <source>Visualizza il brano attualmente in riproduzione.</source>
        <translation>Affiche le morceau en cours de lecture.</translation>
    </message>
    <message>
        <source>Pellix - Batteria</source>
        <translation>Pellix - Batterie</translation>
    </message>
    <message>
        <source>Controlla lo stato della batteria del MacBook e degli accessori.</source>
        <translation>Affiche l&apos;état de la batterie de l&apos;ordinateur et des accessoires.</translation>
    </message>
</context>
<context>
    <name>WeatherContentView</name>
    <message>
        <source>AGGIORNAMENTO…</source>
        <translation>MISE À JOUR…</translation>
    </message>
    <message>
        <source>ERRORE DI RETE</source>
        <translation>ERREUR RÉSEAU</translation>
    </message>
</context>
<context>
    <name>WeatherText</name>
    <message>
        <source>Sereno</source>
        <translation>Dégagé</translation>
    </message>
    <message>
        <source>Parz. nuvoloso</source>
        <translation>Éclaircies</translation>
    </message>
    <message>
        <source>Nuvoloso</source>
        <translation>Nuageux</translation>
    </message>
    <message>
        <source>Nebbia</source>
        <translation>Brouillard</translation>
    </message>
    <message>
        <source>Pioggerella</source>
        <translation>Bruine</translation>
    </message>
    <message>
        <source>Pioggia</source>
        <translation>Pluie</translation>
    </message>
    <message>
        <source>Neve</source>
        <translation>Neige</translation>
    </message>
    <message>
        <source>Rovesci</source>
        <translation>Averses</translation>
    </message>
    <message>
        <source>Temporale</source>
        <translation>Orage</translation>
    </message>
    <message>
        <source>Sconosciuto</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>H:%1 L:%2</source>
        <comment>today&apos;s high and low</comment>
        <translation>H&#x202f;:&#x202f;%1 B&#x202f;:&#x202f;%2</translation>
    </message>
</context>
<context>
    <name>extensions::ExtensionProcess</name>
    <message>
        <source>si è chiuso in modo anomalo (segnale %1)</source>
        <translation>s’est planté (signal %1)</translation>
    </message>
    <message>
        <source>è uscito da solo (stato %1)</source>
        <translation>s’est terminé de lui-même (statut %1)</translation>
    </message>
    <message>
        <source>non si è avviato entro %1 s</source>
        <translation>ne s’est pas lancé en %1 s</translation>
    </message>
    <message>
        <source>non si può eseguire %1</source>
        <translation>impossible de lancer %1</translation>
    </message>
    <message>
        <source>non risponde da %1 s</source>
        <translation>ne répond plus depuis %1 s</translation>
    </message>
</context>
<context>
    <name>panel::BatteryDeviceList</name>
    <message>
        <source>Mostra dispositivi:</source>
        <translation>Afficher les appareils&#x202f;:</translation>
    </message>
</context>
<context>
    <name>panel::ControlPanelView</name>
    <message>
        <source>Widget</source>
        <translation>Widgets</translation>
    </message>
    <message>
        <source>Impostazioni</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Widget premium per %1</source>
        <translation>Widgets premium pour %1</translation>
    </message>
</context>
<context>
    <name>panel::ExtensionSection</name>
    <message>
        <source>Widget delle estensioni</source>
        <translation>Widgets des extensions</translation>
    </message>
    <message>
        <source>Avvio delle estensioni in corso</source>
        <translation>Démarrage des extensions</translation>
    </message>
    <message>
        <source>Rifiutata</source>
        <translation>Refusée</translation>
    </message>
    <message>
        <source>Fermata</source>
        <translation>Arrêtée</translation>
    </message>
</context>
<context>
    <name>panel::SettingsTab</name>
    <message>
        <source>Tema Vetro Widget</source>
        <translation>Thème des widgets</translation>
    </message>
    <message>
        <source>Liquid Glass Trasparente</source>
        <translation>Liquid Glass transparent</translation>
    </message>
    <message>
        <source>Liquid Glass Opaco</source>
        <translation>Liquid Glass opaque</translation>
    </message>
    <message>
        <source>Aspetto</source>
        <translation>Apparence</translation>
    </message>
    <message>
        <source>Configura il meteo</source>
        <translation>Configurer la météo</translation>
    </message>
    <message>
        <source>App</source>
        <translation>App</translation>
    </message>
    <message>
        <source>Versione</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Autore</source>
        <translation>Auteur</translation>
    </message>
</context>
<context>
    <name>panel::WeatherLocationCard</name>
    <message>
        <source>Città</source>
        <translation>Ville</translation>
    </message>
    <message>
        <source>es. Milano, Roma, Napoli</source>
        <translation>ex. Paris, Lyon, Genève</translation>
    </message>
    <message>
        <source>Salva</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Posizione automatica (via IP)</source>
        <translation>Position automatique (via IP)</translation>
    </message>
    <message>
        <source>Rileva la tua città dall&apos;indirizzo IP</source>
        <translation>Trouve votre ville d&apos;après l&apos;adresse IP</translation>
    </message>
    <message>
        <source>Ricerca in corso…</source>
        <translation>Recherche en cours…</translation>
    </message>
    <message>
        <source>Errore di rete</source>
        <translation>Erreur réseau</translation>
    </message>
    <message>
        <source>✓ Impostato su %1</source>
        <translation>✓ Défini sur %1</translation>
    </message>
    <message>
        <source>Città non trovata</source>
        <translation>Ville introuvable</translation>
    </message>
</context>
<context>
    <name>panel::WidgetsTab</name>
    <message>
        <source>Attiva e gestisci i tuoi widget</source>
        <translation>Activez et gérez vos widgets</translation>
    </message>
    <message>
        <source>Orologio &amp; Data</source>
        <translation>Horloge &amp; date</translation>
    </message>
    <message>
        <source>Analogico o digitale minimalista</source>
        <translation>Analogique ou numérique, épurée</translation>
    </message>
    <message>
        <source>Meteo</source>
        <translation>Météo</translation>
    </message>
    <message>
        <source>Temperatura, condizioni e H/L</source>
        <translation>Température, conditions et H/B</translation>
    </message>
    <message>
        <source>Batteria</source>
        <translation>Batterie</translation>
    </message>
    <message>
        <source>Carica e stato di alimentazione</source>
        <translation>Charge et alimentation</translation>
    </message>
    <message>
        <source>Now Playing</source>
        <translation>À l&apos;écoute</translation>
    </message>
    <message>
        <source>Spotify, Apple Music in tempo reale</source>
        <translation>Spotify, Apple Music en temps réel</translation>
    </message>
    <message>
        <source>Cliccabile attraverso</source>
        <translation>Laisser passer les clics</translation>
    </message>
    <message>
        <source>Stile orologio</source>
        <translation>Style d&apos;horloge</translation>
    </message>
    <message>
        <source>Analogico</source>
        <translation>Analogique</translation>
    </message>
    <message>
        <source>Digitale</source>
        <translation>Numérique</translation>
    </message>
    <message>
        <source>Dimensione widget</source>
        <translation>Taille du widget</translation>
    </message>
    <message>
        <source>Piccolo (2x2)</source>
        <translation>Petit (2x2)</translation>
    </message>
    <message>
        <source>Medio (4x2)</source>
        <translation>Moyen (4x2)</translation>
    </message>
    <message>
        <source>Qualsiasi lettore MPRIS in tempo reale</source>
        <translation>Tout lecteur MPRIS en temps réel</translation>
    </message>
</context>
</TS>
