<?xml version="1.0" encoding="UTF-8"?>
<!--
  The page of the book information panel: the cover, the title, the authors, the series, then
  genres by their Russian names, language, translators, publisher, city, year and ISBN in a
  table, and the annotation. The program writes the cover picture beside the page under the id
  of its binary and scales it to the panel's width, so the page gives it no size of its own.
  Written for a simple HTML view: HTML 4 tables and paragraphs, a little CSS, no scripts.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:fb="http://www.gribuser.ru/xml/fictionbook/2.0"
    xmlns:l="http://www.w3.org/1999/xlink"
    exclude-result-prefixes="fb l">

  <xsl:output method="html" encoding="UTF-8" indent="no"/>
  <xsl:strip-space elements="*"/>
  <xsl:preserve-space elements="fb:p fb:v fb:subtitle fb:text-author fb:td fb:th fb:strong fb:emphasis
      fb:style fb:a fb:strikethrough fb:sub fb:sup fb:code"/>

  <xsl:key name="binary" match="fb:binary" use="@id"/>

  <xsl:variable name="info" select="/fb:FictionBook/fb:description/fb:title-info"/>
  <xsl:variable name="publish" select="/fb:FictionBook/fb:description/fb:publish-info"/>

  <xsl:template match="/">
    <html>
      <head>
        <meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
        <title>
          <xsl:value-of select="normalize-space($info/fb:book-title)"/>
        </title>
        <style type="text/css">
          p { margin-top: 0px; margin-bottom: 6px; }
          p.cover { margin-top: 2px; margin-bottom: 10px; }
          p.title { font-size: x-large; font-weight: bold; margin-bottom: 4px; }
          p.authors { font-size: large; color: #1d4f91; margin-bottom: 4px; }
          p.series { color: #555555; font-style: italic; margin-bottom: 8px; }
          table.facts { margin-top: 4px; margin-bottom: 6px; }
          td.label { color: #707070; padding-right: 10px; }
          p.heading { font-weight: bold; color: #404040; margin-top: 10px; margin-bottom: 4px; }
          p.annotation { text-indent: 12px; }
          blockquote { margin-left: 16px; margin-right: 4px; }
        </style>
      </head>
      <body>
        <xsl:call-template name="cover"/>
        <p class="title" align="center">
          <xsl:value-of select="normalize-space($info/fb:book-title)"/>
        </p>
        <xsl:if test="$info/fb:author">
          <p class="authors" align="center">
            <xsl:for-each select="$info/fb:author">
              <xsl:if test="position() > 1">
                <xsl:text>, </xsl:text>
              </xsl:if>
              <xsl:call-template name="person"/>
            </xsl:for-each>
          </p>
        </xsl:if>
        <xsl:for-each select="$info/fb:sequence[normalize-space(@name) != '']">
          <p class="series" align="center">
            <xsl:call-template name="sequence"/>
          </p>
        </xsl:for-each>
        <table class="facts" cellspacing="0" cellpadding="1">
          <xsl:if test="$info/fb:genre">
            <xsl:call-template name="row">
              <xsl:with-param name="label" select="'Жанр'"/>
              <xsl:with-param name="value">
                <xsl:for-each select="$info/fb:genre">
                  <xsl:if test="position() > 1">
                    <xsl:text>, </xsl:text>
                  </xsl:if>
                  <xsl:call-template name="genre-name">
                    <xsl:with-param name="code" select="normalize-space(.)"/>
                  </xsl:call-template>
                </xsl:for-each>
              </xsl:with-param>
            </xsl:call-template>
          </xsl:if>
          <xsl:call-template name="row">
            <xsl:with-param name="label" select="'Язык'"/>
            <xsl:with-param name="value">
              <xsl:call-template name="language">
                <xsl:with-param name="code" select="normalize-space($info/fb:lang)"/>
              </xsl:call-template>
            </xsl:with-param>
          </xsl:call-template>
          <xsl:if test="normalize-space($info/fb:src-lang) != '' and normalize-space($info/fb:src-lang) != normalize-space($info/fb:lang)">
            <xsl:call-template name="row">
              <xsl:with-param name="label" select="'Язык оригинала'"/>
              <xsl:with-param name="value">
                <xsl:call-template name="language">
                  <xsl:with-param name="code" select="normalize-space($info/fb:src-lang)"/>
                </xsl:call-template>
              </xsl:with-param>
            </xsl:call-template>
          </xsl:if>
          <xsl:if test="$info/fb:translator">
            <xsl:call-template name="row">
              <xsl:with-param name="label" select="'Перевод'"/>
              <xsl:with-param name="value">
                <xsl:for-each select="$info/fb:translator">
                  <xsl:if test="position() > 1">
                    <xsl:text>, </xsl:text>
                  </xsl:if>
                  <xsl:call-template name="person"/>
                </xsl:for-each>
              </xsl:with-param>
            </xsl:call-template>
          </xsl:if>
          <xsl:call-template name="row">
            <xsl:with-param name="label" select="'Издательство'"/>
            <xsl:with-param name="value" select="normalize-space($publish/fb:publisher)"/>
          </xsl:call-template>
          <xsl:call-template name="row">
            <xsl:with-param name="label" select="'Город'"/>
            <xsl:with-param name="value" select="normalize-space($publish/fb:city)"/>
          </xsl:call-template>
          <xsl:call-template name="row">
            <xsl:with-param name="label" select="'Год'"/>
            <xsl:with-param name="value" select="normalize-space($publish/fb:year)"/>
          </xsl:call-template>
          <xsl:call-template name="row">
            <xsl:with-param name="label" select="'ISBN'"/>
            <xsl:with-param name="value" select="normalize-space($publish/fb:isbn)"/>
          </xsl:call-template>
          <xsl:for-each select="$publish/fb:sequence[normalize-space(@name) != '']">
            <xsl:call-template name="row">
              <xsl:with-param name="label" select="'Серия издательства'"/>
              <xsl:with-param name="value">
                <xsl:call-template name="sequence"/>
              </xsl:with-param>
            </xsl:call-template>
          </xsl:for-each>
        </table>
        <xsl:if test="$info/fb:annotation/*">
          <hr/>
          <p class="heading">Аннотация</p>
          <xsl:apply-templates select="$info/fb:annotation/*"/>
        </xsl:if>
      </body>
    </html>
  </xsl:template>

  <!-- The first picture of the cover page, when the book holds its binary under an id that the
       program writes as a file (no folders, no "..", not the page's own name). -->
  <xsl:template name="cover">
    <xsl:variable name="href" select="$info/fb:coverpage/fb:image[1]/@l:href"/>
    <xsl:variable name="id" select="substring($href, 2)"/>
    <xsl:if test="starts-with($href, '#') and $id != '' and key('binary', $id)
                  and not(contains($id, '/')) and not(contains($id, '\')) and not(contains($id, '..'))
                  and $id != 'description.html'">
      <p class="cover" align="center">
        <img alt="">
          <xsl:attribute name="src">
            <xsl:call-template name="url-escape">
              <xsl:with-param name="text" select="$id"/>
            </xsl:call-template>
          </xsl:attribute>
        </img>
      </p>
    </xsl:if>
  </xsl:template>

  <!-- A file name as a relative address: "%", "#" and "?" would be read as escapes, a fragment
       or a query. -->
  <xsl:template name="url-escape">
    <xsl:param name="text"/>
    <xsl:if test="$text != ''">
      <xsl:variable name="c" select="substring($text, 1, 1)"/>
      <xsl:choose>
        <xsl:when test="$c = '%'">%25</xsl:when>
        <xsl:when test="$c = '#'">%23</xsl:when>
        <xsl:when test="$c = '?'">%3F</xsl:when>
        <xsl:otherwise>
          <xsl:value-of select="$c"/>
        </xsl:otherwise>
      </xsl:choose>
      <xsl:call-template name="url-escape">
        <xsl:with-param name="text" select="substring($text, 2)"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <xsl:template name="sequence">
    <xsl:value-of select="normalize-space(@name)"/>
    <xsl:if test="normalize-space(@number) != ''">
      <xsl:value-of select="concat(', № ', normalize-space(@number))"/>
    </xsl:if>
  </xsl:template>

  <xsl:template name="row">
    <xsl:param name="label"/>
    <xsl:param name="value"/>
    <xsl:if test="normalize-space($value) != ''">
      <tr>
        <td class="label" valign="top">
          <xsl:value-of select="concat($label, ':')"/>
        </td>
        <td valign="top">
          <xsl:value-of select="$value"/>
        </td>
      </tr>
    </xsl:if>
  </xsl:template>

  <xsl:template name="person">
    <xsl:variable name="name" select="normalize-space(concat(fb:first-name, ' ', fb:middle-name, ' ', fb:last-name))"/>
    <xsl:choose>
      <xsl:when test="$name != ''">
        <xsl:value-of select="$name"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="normalize-space(fb:nickname)"/>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The Russian name of a language code; an unknown code as it stands. -->
  <xsl:template name="language">
    <xsl:param name="code"/>
    <xsl:variable name="lower" select="translate($code, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz')"/>
    <xsl:choose>
      <xsl:when test="$lower = 'ru'">русский</xsl:when>
      <xsl:when test="$lower = 'en'">английский</xsl:when>
      <xsl:when test="$lower = 'uk'">украинский</xsl:when>
      <xsl:when test="$lower = 'be'">белорусский</xsl:when>
      <xsl:when test="$lower = 'de'">немецкий</xsl:when>
      <xsl:when test="$lower = 'fr'">французский</xsl:when>
      <xsl:when test="$lower = 'es'">испанский</xsl:when>
      <xsl:when test="$lower = 'it'">итальянский</xsl:when>
      <xsl:when test="$lower = 'pt'">португальский</xsl:when>
      <xsl:when test="$lower = 'pl'">польский</xsl:when>
      <xsl:when test="$lower = 'cs'">чешский</xsl:when>
      <xsl:when test="$lower = 'sk'">словацкий</xsl:when>
      <xsl:when test="$lower = 'bg'">болгарский</xsl:when>
      <xsl:when test="$lower = 'sr'">сербский</xsl:when>
      <xsl:when test="$lower = 'hr'">хорватский</xsl:when>
      <xsl:when test="$lower = 'sl'">словенский</xsl:when>
      <xsl:when test="$lower = 'lt'">литовский</xsl:when>
      <xsl:when test="$lower = 'lv'">латышский</xsl:when>
      <xsl:when test="$lower = 'et'">эстонский</xsl:when>
      <xsl:when test="$lower = 'fi'">финский</xsl:when>
      <xsl:when test="$lower = 'sv'">шведский</xsl:when>
      <xsl:when test="$lower = 'no' or $lower = 'nb'">норвежский</xsl:when>
      <xsl:when test="$lower = 'da'">датский</xsl:when>
      <xsl:when test="$lower = 'nl'">нидерландский</xsl:when>
      <xsl:when test="$lower = 'hu'">венгерский</xsl:when>
      <xsl:when test="$lower = 'ro'">румынский</xsl:when>
      <xsl:when test="$lower = 'el'">греческий</xsl:when>
      <xsl:when test="$lower = 'la'">латинский</xsl:when>
      <xsl:when test="$lower = 'tr'">турецкий</xsl:when>
      <xsl:when test="$lower = 'kk'">казахский</xsl:when>
      <xsl:when test="$lower = 'ka'">грузинский</xsl:when>
      <xsl:when test="$lower = 'hy'">армянский</xsl:when>
      <xsl:when test="$lower = 'he'">иврит</xsl:when>
      <xsl:when test="$lower = 'ar'">арабский</xsl:when>
      <xsl:when test="$lower = 'zh'">китайский</xsl:when>
      <xsl:when test="$lower = 'ja'">японский</xsl:when>
      <xsl:when test="$lower = 'ko'">корейский</xsl:when>
      <xsl:when test="$lower = 'vi'">вьетнамский</xsl:when>
      <xsl:when test="$lower = 'id'">индонезийский</xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="$code"/>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Annotation -->

  <xsl:template match="fb:p">
    <p class="annotation">
      <xsl:apply-templates/>
    </p>
  </xsl:template>

  <xsl:template match="fb:subtitle">
    <p align="center"><b><xsl:apply-templates/></b></p>
  </xsl:template>

  <xsl:template match="fb:empty-line">
    <br/>
  </xsl:template>

  <xsl:template match="fb:poem | fb:stanza | fb:cite | fb:epigraph">
    <blockquote>
      <xsl:apply-templates/>
    </blockquote>
  </xsl:template>

  <xsl:template match="fb:title | fb:v | fb:text-author | fb:date">
    <p><xsl:apply-templates/></p>
  </xsl:template>

  <xsl:template match="fb:table">
    <table border="1" cellspacing="0" cellpadding="2">
      <xsl:for-each select="fb:tr">
        <tr>
          <xsl:for-each select="fb:th | fb:td">
            <td><xsl:apply-templates/></td>
          </xsl:for-each>
        </tr>
      </xsl:for-each>
    </table>
  </xsl:template>

  <xsl:template match="fb:strong">
    <b><xsl:apply-templates/></b>
  </xsl:template>

  <xsl:template match="fb:emphasis">
    <i><xsl:apply-templates/></i>
  </xsl:template>

  <xsl:template match="fb:strikethrough">
    <s><xsl:apply-templates/></s>
  </xsl:template>

  <xsl:template match="fb:sub">
    <sub><xsl:apply-templates/></sub>
  </xsl:template>

  <xsl:template match="fb:sup">
    <sup><xsl:apply-templates/></sup>
  </xsl:template>

  <xsl:template match="fb:code">
    <code><xsl:apply-templates/></code>
  </xsl:template>

  <xsl:template match="fb:image"/>

  <!-- Genre names, generated by scripts/genres-gen from genres.list: do not edit by hand. -->
  <!-- BEGIN GENRE NAMES -->
  <xsl:template name="genre-name">
    <xsl:param name="code"/>
    <xsl:choose>
      <xsl:when test="$code = 'sf_history'">Альтернативная история</xsl:when>
      <xsl:when test="$code = 'sf_action'">Боевая фантастика</xsl:when>
      <xsl:when test="$code = 'sf_epic'">Эпическая фантастика</xsl:when>
      <xsl:when test="$code = 'sf_heroic'">Героическая фантастика</xsl:when>
      <xsl:when test="$code = 'sf_detective'">Детективная фантастика</xsl:when>
      <xsl:when test="$code = 'sf_cyberpunk'">Киберпанк</xsl:when>
      <xsl:when test="$code = 'sf_space'">Космическая фантастика</xsl:when>
      <xsl:when test="$code = 'sf_social'">Социально-философская фантастика</xsl:when>
      <xsl:when test="$code = 'sf_horror'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'sf_humor'">Юмористическая фантастика</xsl:when>
      <xsl:when test="$code = 'sf_fantasy'">Фэнтези</xsl:when>
      <xsl:when test="$code = 'sf'">Научная фантастика</xsl:when>
      <xsl:when test="$code = 'child_sf'">Детская фантастика</xsl:when>
      <xsl:when test="$code = 'det_classic'">Классические детективы</xsl:when>
      <xsl:when test="$code = 'det_police'">Полицейские детективы</xsl:when>
      <xsl:when test="$code = 'det_action'">Боевики</xsl:when>
      <xsl:when test="$code = 'det_irony'">Иронические детективы</xsl:when>
      <xsl:when test="$code = 'det_history'">Исторические детективы</xsl:when>
      <xsl:when test="$code = 'det_espionage'">Шпионские детективы</xsl:when>
      <xsl:when test="$code = 'det_crime'">Криминальные детективы</xsl:when>
      <xsl:when test="$code = 'det_political'">Политические детективы</xsl:when>
      <xsl:when test="$code = 'det_maniac'">Маньяки</xsl:when>
      <xsl:when test="$code = 'det_hard'">Крутой детектив</xsl:when>
      <xsl:when test="$code = 'thriller'">Триллеры</xsl:when>
      <xsl:when test="$code = 'detective'">Детективы</xsl:when>
      <xsl:when test="$code = 'child_det'">Детские остросюжетные</xsl:when>
      <xsl:when test="$code = 'love_detective'">Остросюжетные любовные романы</xsl:when>
      <xsl:when test="$code = 'prose_classic'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'prose_history'">Историческая проза</xsl:when>
      <xsl:when test="$code = 'prose_contemporary'">Современная проза</xsl:when>
      <xsl:when test="$code = 'prose_counter'">Контркультура</xsl:when>
      <xsl:when test="$code = 'prose_rus_classic'">Русская классика</xsl:when>
      <xsl:when test="$code = 'prose_su_classics'">Советская классика</xsl:when>
      <xsl:when test="$code = 'humor_prose'">Юмористическая проза</xsl:when>
      <xsl:when test="$code = 'child_prose'">Детская проза</xsl:when>
      <xsl:when test="$code = 'love_contemporary'">Современные любовные романы</xsl:when>
      <xsl:when test="$code = 'love_history'">Исторические любовные романы</xsl:when>
      <xsl:when test="$code = 'love_short'">Короткие любовные романы</xsl:when>
      <xsl:when test="$code = 'love_erotica'">Эротика</xsl:when>
      <xsl:when test="$code = 'adv_western'">Вестерны</xsl:when>
      <xsl:when test="$code = 'adv_history'">Исторические приключения</xsl:when>
      <xsl:when test="$code = 'adv_indian'">Приключения про индейцев</xsl:when>
      <xsl:when test="$code = 'adv_maritime'">Морские приключения</xsl:when>
      <xsl:when test="$code = 'adv_geo'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'adv_animal'">Природа и животные</xsl:when>
      <xsl:when test="$code = 'adventure'">Прочие приключения</xsl:when>
      <xsl:when test="$code = 'child_adv'">Детские приключения</xsl:when>
      <xsl:when test="$code = 'child_tale'">Сказки</xsl:when>
      <xsl:when test="$code = 'child_verse'">Детские стихи</xsl:when>
      <xsl:when test="$code = 'child_education'">Детская образовательная литература</xsl:when>
      <xsl:when test="$code = 'children'">Детская литература</xsl:when>
      <xsl:when test="$code = 'poetry'">Поэзия</xsl:when>
      <xsl:when test="$code = 'dramaturgy'">Драматургия</xsl:when>
      <xsl:when test="$code = 'humor_verse'">Юмористические стихи</xsl:when>
      <xsl:when test="$code = 'antique_ant'">Античная литература</xsl:when>
      <xsl:when test="$code = 'antique_european'">Европейская старинная литература</xsl:when>
      <xsl:when test="$code = 'antique_russian'">Древнерусская литература</xsl:when>
      <xsl:when test="$code = 'antique_east'">Древневосточная литература</xsl:when>
      <xsl:when test="$code = 'antique_myths'">Мифы. Легенды. Эпос</xsl:when>
      <xsl:when test="$code = 'antique'">Старинная литература</xsl:when>
      <xsl:when test="$code = 'sci_history'">История</xsl:when>
      <xsl:when test="$code = 'sci_psychology'">Психология</xsl:when>
      <xsl:when test="$code = 'sci_culture'">Культурология</xsl:when>
      <xsl:when test="$code = 'sci_religion'">Религиоведение</xsl:when>
      <xsl:when test="$code = 'sci_philosophy'">Философия</xsl:when>
      <xsl:when test="$code = 'sci_politics'">Политика</xsl:when>
      <xsl:when test="$code = 'sci_business'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'sci_juris'">Юриспруденция</xsl:when>
      <xsl:when test="$code = 'sci_linguistic'">Языкознание</xsl:when>
      <xsl:when test="$code = 'sci_medicine'">Медицина</xsl:when>
      <xsl:when test="$code = 'sci_phys'">Физика</xsl:when>
      <xsl:when test="$code = 'sci_math'">Математика</xsl:when>
      <xsl:when test="$code = 'sci_chem'">Химия</xsl:when>
      <xsl:when test="$code = 'sci_biology'">Биология</xsl:when>
      <xsl:when test="$code = 'sci_tech'">Технические науки</xsl:when>
      <xsl:when test="$code = 'science'">Научная литература</xsl:when>
      <xsl:when test="$code = 'comp_www'">Интернет</xsl:when>
      <xsl:when test="$code = 'comp_programming'">Программирование</xsl:when>
      <xsl:when test="$code = 'comp_hard'">Компьютерное железо</xsl:when>
      <xsl:when test="$code = 'comp_soft'">Программы</xsl:when>
      <xsl:when test="$code = 'comp_db'">Базы данных</xsl:when>
      <xsl:when test="$code = 'comp_osnet'">ОС и сети</xsl:when>
      <xsl:when test="$code = 'computers'">Околокомпьютерная литература</xsl:when>
      <xsl:when test="$code = 'ref_encyc'">Энциклопедии</xsl:when>
      <xsl:when test="$code = 'ref_dict'">Словари</xsl:when>
      <xsl:when test="$code = 'ref_ref'">Справочники</xsl:when>
      <xsl:when test="$code = 'ref_guide'">Путеводители</xsl:when>
      <xsl:when test="$code = 'reference'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'nonf_biography'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'nonf_publicism'">Публицистика</xsl:when>
      <xsl:when test="$code = 'nonf_criticism'">Критика</xsl:when>
      <xsl:when test="$code = 'nonfiction'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'design'">Искусство и дизайн</xsl:when>
      <xsl:when test="$code = 'religion_rel'">Религия</xsl:when>
      <xsl:when test="$code = 'religion_esoterics'">Эзотерика</xsl:when>
      <xsl:when test="$code = 'religion_self'">Самосовершенствование</xsl:when>
      <xsl:when test="$code = 'religion'">Религиозная литература</xsl:when>
      <xsl:when test="$code = 'humor_anecdote'">Анекдоты</xsl:when>
      <xsl:when test="$code = 'humor'">Юмор</xsl:when>
      <xsl:when test="$code = 'home_cooking'">Кулинария</xsl:when>
      <xsl:when test="$code = 'home_pets'">Домашние животные</xsl:when>
      <xsl:when test="$code = 'home_crafts'">Хобби и ремесла</xsl:when>
      <xsl:when test="$code = 'home_entertain'">Развлечения</xsl:when>
      <xsl:when test="$code = 'home_health'">Здоровье</xsl:when>
      <xsl:when test="$code = 'home_garden'">Сад и огород</xsl:when>
      <xsl:when test="$code = 'home_diy'">Сделай сам</xsl:when>
      <xsl:when test="$code = 'home_sport'">Спорт</xsl:when>
      <xsl:when test="$code = 'home_sex'">Эротика и секс</xsl:when>
      <xsl:when test="$code = 'home'">Домоводство</xsl:when>
      <xsl:when test="$code = 'sf_fantasy_city'">Городское фэнтези</xsl:when>
      <xsl:when test="$code = 'sf_postapocalyptic'">Постапокалипсис</xsl:when>
      <xsl:when test="$code = 'love_sf'">Любовная фантастика</xsl:when>
      <xsl:when test="$code = 'gothic_novel'">Готический роман</xsl:when>
      <xsl:when test="$code = 'nsf'">Ненаучная фантастика</xsl:when>
      <xsl:when test="$code = 'fairy_fantasy'">Сказочная фантастика</xsl:when>
      <xsl:when test="$code = 'sf_etc'">Фантастика</xsl:when>
      <xsl:when test="$code = 'sf_irony'">Ироническая фантастика</xsl:when>
      <xsl:when test="$code = 'sf_fantasy_irony'">Ироническое фэнтези</xsl:when>
      <xsl:when test="$code = 'sf_mystic'">Мистика</xsl:when>
      <xsl:when test="$code = 'sf_space_opera'">Космоопера</xsl:when>
      <xsl:when test="$code = 'sf_stimpank'">Стимпанк</xsl:when>
      <xsl:when test="$code = 'sf_technofantasy'">Технофэнтези</xsl:when>
      <xsl:when test="$code = 'popadanec'">Попаданцы</xsl:when>
      <xsl:when test="$code = 'historical_fantasy'">Историческое фэнтези</xsl:when>
      <xsl:when test="$code = 'humor_fantasy'">Юмористическое фэнтези</xsl:when>
      <xsl:when test="$code = 'thriller_legal'">Юридический триллер</xsl:when>
      <xsl:when test="$code = 'thriller_medical'">Медицинский триллер</xsl:when>
      <xsl:when test="$code = 'thriller_techno'">Техно триллер</xsl:when>
      <xsl:when test="$code = 'det_cozy'">Дамский детективный роман</xsl:when>
      <xsl:when test="$code = 'prose'">Проза</xsl:when>
      <xsl:when test="$code = 'prose_military'">Военная проза</xsl:when>
      <xsl:when test="$code = 'aphorisms'">Афоризмы</xsl:when>
      <xsl:when test="$code = 'essay'">Эссе, очерк, этюд, набросок</xsl:when>
      <xsl:when test="$code = 'story'">Новелла</xsl:when>
      <xsl:when test="$code = 'great_story'">Повесть</xsl:when>
      <xsl:when test="$code = 'short_story'">Рассказ</xsl:when>
      <xsl:when test="$code = 'roman'">Роман</xsl:when>
      <xsl:when test="$code = 'extravaganza'">Феерия</xsl:when>
      <xsl:when test="$code = 'epistolary_fiction'">Эпистолярная проза</xsl:when>
      <xsl:when test="$code = 'prose_epic'">Эпопея</xsl:when>
      <xsl:when test="$code = 'prose_magic'">Магический реализм</xsl:when>
      <xsl:when test="$code = 'sagas'">Семейная сага</xsl:when>
      <xsl:when test="$code = 'dissident'">Антисоветская литература</xsl:when>
      <xsl:when test="$code = 'prose_sentimental'">Сентиментальная проза</xsl:when>
      <xsl:when test="$code = 'love'">О любви</xsl:when>
      <xsl:when test="$code = 'love_hard'">Порно</xsl:when>
      <xsl:when test="$code = 'child_folklore'">Детский фольклор</xsl:when>
      <xsl:when test="$code = 'prose_game'">Книга-игра</xsl:when>
      <xsl:when test="$code = 'fable'">Басни</xsl:when>
      <xsl:when test="$code = 'vers_libre'">Верлибры</xsl:when>
      <xsl:when test="$code = 'visual_poetry'">Визуальная поэзия</xsl:when>
      <xsl:when test="$code = 'lyrics'">Лирика</xsl:when>
      <xsl:when test="$code = 'palindromes'">Палиндромы</xsl:when>
      <xsl:when test="$code = 'song_poetry'">Песенная поэзия</xsl:when>
      <xsl:when test="$code = 'experimental_poetry'">Экспериментальная поэзия</xsl:when>
      <xsl:when test="$code = 'epic_poetry'">Эпическая поэзия</xsl:when>
      <xsl:when test="$code = 'in_verse'">В стихах</xsl:when>
      <xsl:when test="$code = 'sci_biochem'">Биохимия</xsl:when>
      <xsl:when test="$code = 'sci_physchem'">Физическая химия</xsl:when>
      <xsl:when test="$code = 'sci_anachem'">Аналитическая химия</xsl:when>
      <xsl:when test="$code = 'sci_orgchem'">Органическая химия</xsl:when>
      <xsl:when test="$code = 'sci_economy'">Экономика</xsl:when>
      <xsl:when test="$code = 'sci_state'">Государство и право</xsl:when>
      <xsl:when test="$code = 'sci_biophys'">Биофизика</xsl:when>
      <xsl:when test="$code = 'sci_geo'">Геология и география</xsl:when>
      <xsl:when test="$code = 'sci_cosmos'">Астрономия и Космос</xsl:when>
      <xsl:when test="$code = 'sci_medicine_alternative'">Альтернативная медицина</xsl:when>
      <xsl:when test="$code = 'sci_philology'">Литературоведение</xsl:when>
      <xsl:when test="$code = 'sci_pedagogy'">Педагогика</xsl:when>
      <xsl:when test="$code = 'sci_social_studies'">Обществознание</xsl:when>
      <xsl:when test="$code = 'sci_ecology'">Экология</xsl:when>
      <xsl:when test="$code = 'military_history'">Военная история</xsl:when>
      <xsl:when test="$code = 'sci_veterinary'">Ветеринария</xsl:when>
      <xsl:when test="$code = 'sci_zoo'">Зоология</xsl:when>
      <xsl:when test="$code = 'sci_botany'">Ботаника</xsl:when>
      <xsl:when test="$code = 'sci_textbook'">Учебники</xsl:when>
      <xsl:when test="$code = 'sci_crib'">Шпаргалки</xsl:when>
      <xsl:when test="$code = 'sci_abstract'">Рефераты</xsl:when>
      <xsl:when test="$code = 'foreign_language'">Иностранные языки</xsl:when>
      <xsl:when test="$code = 'psy_childs'">Детская психология</xsl:when>
      <xsl:when test="$code = 'psy_theraphy'">Психотерапия и консультирование</xsl:when>
      <xsl:when test="$code = 'psy_sex_and_family'">Секс и семейная психология</xsl:when>
      <xsl:when test="$code = 'comp_dsp'">Цифровая обработка сигналов</xsl:when>
      <xsl:when test="$code = 'geo_guides'">Путеводители, карты, атласы</xsl:when>
      <xsl:when test="$code = 'religion_budda'">Буддизм</xsl:when>
      <xsl:when test="$code = 'religion_christianity'">Христианство</xsl:when>
      <xsl:when test="$code = 'religion_orthodoxy'">Православие</xsl:when>
      <xsl:when test="$code = 'religion_catholicism'">Католицизм</xsl:when>
      <xsl:when test="$code = 'religion_protestantism'">Протестантизм</xsl:when>
      <xsl:when test="$code = 'religion_hinduism'">Индуизм</xsl:when>
      <xsl:when test="$code = 'religion_islam'">Ислам</xsl:when>
      <xsl:when test="$code = 'religion_judaism'">Иудаизм</xsl:when>
      <xsl:when test="$code = 'astrology'">Астрология</xsl:when>
      <xsl:when test="$code = 'palmistry'">Хиромантия</xsl:when>
      <xsl:when test="$code = 'religion_paganism'">Язычество</xsl:when>
      <xsl:when test="$code = 'comedy'">Комедия</xsl:when>
      <xsl:when test="$code = 'humor_satire'">Сатира</xsl:when>
      <xsl:when test="$code = 'home_collecting'">Коллекционирование</xsl:when>
      <xsl:when test="$code = 'sci_transport'">Транспорт и авиация</xsl:when>
      <xsl:when test="$code = 'sci_metal'">Металлургия</xsl:when>
      <xsl:when test="$code = 'sci_radio'">Радиоэлектроника</xsl:when>
      <xsl:when test="$code = 'sci_build'">Строительство и сопромат</xsl:when>
      <xsl:when test="$code = 'auto_regulations'">Автомобили и ПДД</xsl:when>
      <xsl:when test="$code = 'architecture_book'">Архитектура</xsl:when>
      <xsl:when test="$code = 'other'">Неотсортированное</xsl:when>
      <xsl:when test="$code = 'unrecognised'">Неотсортированное</xsl:when>
      <xsl:when test="$code = 'notes'">Партитуры</xsl:when>
      <xsl:when test="$code = 'periodic'">Газеты и журналы</xsl:when>
      <xsl:when test="$code = 'music'">Музыка</xsl:when>
      <xsl:when test="$code = 'cine'">Кино</xsl:when>
      <xsl:when test="$code = 'theatre'">Театр</xsl:when>
      <xsl:when test="$code = 'fanfiction'">Фанфик</xsl:when>
      <xsl:when test="$code = 'unfinished'">Недописанное</xsl:when>
      <xsl:when test="$code = 'visual_arts'">Изобразительное искусство, фотография</xsl:when>
      <xsl:when test="$code = 'banking'">Банковское дело</xsl:when>
      <xsl:when test="$code = 'accounting'">Бухучет и аудит</xsl:when>
      <xsl:when test="$code = 'global_economy'">Внешнеэкономическая деятельность</xsl:when>
      <xsl:when test="$code = 'paper_work'">Делопроизводство</xsl:when>
      <xsl:when test="$code = 'org_behavior'">Корпоративная культура</xsl:when>
      <xsl:when test="$code = 'personal_finance'">Личные финансы</xsl:when>
      <xsl:when test="$code = 'small_business'">Малый бизнес</xsl:when>
      <xsl:when test="$code = 'marketing'">Маркетинг, PR, реклама</xsl:when>
      <xsl:when test="$code = 'real_estate'">Недвижимость</xsl:when>
      <xsl:when test="$code = 'popular_business'">О бизнесе популярно</xsl:when>
      <xsl:when test="$code = 'industries'">Отраслевые издания</xsl:when>
      <xsl:when test="$code = 'job_hunting'">Поиск работы, карьера</xsl:when>
      <xsl:when test="$code = 'ya'">Подростковая литература</xsl:when>
      <xsl:when test="$code = 'management'">Управление, подбор персонала</xsl:when>
      <xsl:when test="$code = 'stock'">Ценные бумаги, инвестиции</xsl:when>
      <xsl:when test="$code = 'economics'">Экономика</xsl:when>
      <xsl:when test="$code = 'trade'">Торговля</xsl:when>
      <xsl:when test="$code = 'nonf_military'">Военная документалистика</xsl:when>
      <xsl:when test="$code = 'sci_popular'">Научпоп</xsl:when>
      <xsl:when test="$code = 'drama'">Драма</xsl:when>
      <xsl:when test="$code = 'screenplays'">Киносценарии</xsl:when>
      <xsl:when test="$code = 'mystery'">Мистерия</xsl:when>
      <xsl:when test="$code = 'scenarios'">Сценарии</xsl:when>
      <xsl:when test="$code = 'tragedy'">Трагедия</xsl:when>
      <xsl:when test="$code = 'vaudeville'">Водевиль</xsl:when>
      <xsl:when test="$code = 'epic'">Былины</xsl:when>
      <xsl:when test="$code = 'riddles'">Загадки</xsl:when>
      <xsl:when test="$code = 'folk_songs'">Народные песни</xsl:when>
      <xsl:when test="$code = 'folk_tale'">Народные сказки</xsl:when>
      <xsl:when test="$code = 'proverbs'">Пословицы, поговорки</xsl:when>
      <xsl:when test="$code = 'folklore'">Фольклор</xsl:when>
      <xsl:when test="$code = 'limerick'">Частушки, прибаутки, потешки</xsl:when>
      <xsl:when test="$code = 'military_weapon'">Военная техника и вооружение</xsl:when>
      <xsl:when test="$code = 'military_arts'">Боевые искусства</xsl:when>
      <xsl:when test="$code = 'military_special'">Спецслужбы</xsl:when>
      <xsl:when test="$code = 'military'">Военное дело</xsl:when>
      <xsl:when test="$code = 'fantasy_alt_hist'">Альтернативная история</xsl:when>
      <xsl:when test="$code = 'prose_rus_classsic'">Русская классика</xsl:when>
      <xsl:when test="$code = 'family'">Семья</xsl:when>
      <xsl:when test="$code = 'economics_ref'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'sf_all'">Фантастика</xsl:when>
      <xsl:when test="$code = 'russian_fantasy'">Русское фэнтези</xsl:when>
      <xsl:when test="$code = 'hronoopera'">Хроноопера</xsl:when>
      <xsl:when test="$code = 'sf_litrpg'">ЛитРПГ</xsl:when>
      <xsl:when test="$code = 'det_su'">Советский детектив</xsl:when>
      <xsl:when test="$code = 'thriller_psychology'">Психологический триллер</xsl:when>
      <xsl:when test="$code = 'det_all'">Детективы</xsl:when>
      <xsl:when test="$code = 'literature_20'">Классическая проза XX века</xsl:when>
      <xsl:when test="$code = 'literature_19'">Классическая проза XIX века</xsl:when>
      <xsl:when test="$code = 'literature_18'">Классическая проза XVII-XVIII веков</xsl:when>
      <xsl:when test="$code = 'foreign_prose'">Зарубежная классическая проза</xsl:when>
      <xsl:when test="$code = 'prose_all'">Проза</xsl:when>
      <xsl:when test="$code = 'modern_tale'">Современная сказка</xsl:when>
      <xsl:when test="$code = 'prose_abs'">Фантасмагория, абсурдистская проза</xsl:when>
      <xsl:when test="$code = 'prose_neformatny'">Экспериментальная, неформатная проза</xsl:when>
      <xsl:when test="$code = 'love_all'">Любовные романы</xsl:when>
      <xsl:when test="$code = 'travel_notes'">Путевые заметки</xsl:when>
      <xsl:when test="$code = 'adv_story'">Авантюрный роман</xsl:when>
      <xsl:when test="$code = 'adv_modern'">Приключения в современном мире</xsl:when>
      <xsl:when test="$code = 'child_tale_rus'">Русские сказки</xsl:when>
      <xsl:when test="$code = 'child_classical'">Детская классика</xsl:when>
      <xsl:when test="$code = 'diafilm'">Диафильмы</xsl:when>
      <xsl:when test="$code = 'foreign_children'">Зарубежная литература для детей</xsl:when>
      <xsl:when test="$code = 'child_all'">Детская литература</xsl:when>
      <xsl:when test="$code = 'poetry_all'">Поэзия</xsl:when>
      <xsl:when test="$code = 'dramaturgy_all'">Драматургия</xsl:when>
      <xsl:when test="$code = 'poetry_east'">Поэзия Востока</xsl:when>
      <xsl:when test="$code = 'poetry_classical'">Классическая поэзия</xsl:when>
      <xsl:when test="$code = 'poem'">Поэмы</xsl:when>
      <xsl:when test="$code = 'poetry_rus_classical'">Русская классическая поэзия</xsl:when>
      <xsl:when test="$code = 'poetry_for_modern'">Современная зарубежная поэзия</xsl:when>
      <xsl:when test="$code = 'poetry_for_classical'">Классическая зарубежная поэзия</xsl:when>
      <xsl:when test="$code = 'poetry_modern'">Современная поэзия</xsl:when>
      <xsl:when test="$code = 'poetry_rus_modern'">Современная русская поэзия</xsl:when>
      <xsl:when test="$code = 'foreign_antique'">Средневековая классическая проза</xsl:when>
      <xsl:when test="$code = 'antique_all'">Старинная литература</xsl:when>
      <xsl:when test="$code = 'drama_antique'">Античная драма</xsl:when>
      <xsl:when test="$code = 'equ_history'">История техники</xsl:when>
      <xsl:when test="$code = 'sci_theories'">Альтернативные науки и научные теории</xsl:when>
      <xsl:when test="$code = 'sci_all'">Наука</xsl:when>
      <xsl:when test="$code = 'sci_oriental'">Востоковедение</xsl:when>
      <xsl:when test="$code = 'comp_all'">Компьютеры</xsl:when>
      <xsl:when test="$code = 'ref_all'">Справочники</xsl:when>
      <xsl:when test="$code = 'adv_all'">Приключения</xsl:when>
      <xsl:when test="$code = 'art_criticism'">Искусствоведение</xsl:when>
      <xsl:when test="$code = 'nonf_all'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'painting'">Живопись, альбомы, иллюстрированные каталоги</xsl:when>
      <xsl:when test="$code = 'culture_all'">Культура</xsl:when>
      <xsl:when test="$code = 'art_world_culture'">Мировая художественная культура</xsl:when>
      <xsl:when test="$code = 'religion_all'">Религия</xsl:when>
      <xsl:when test="$code = 'humor_all'">Юмор</xsl:when>
      <xsl:when test="$code = 'home_all'">Домоводство</xsl:when>
      <xsl:when test="$code = 'busines'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'auto_business'">Автодело</xsl:when>
      <xsl:when test="$code = 'tech_all'">Техника</xsl:when>
      <xsl:when test="$code = 'folklore_all'">Фольклор</xsl:when>
      <xsl:when test="$code = 'network_literature'">Самиздат, сетевая литература</xsl:when>
      <xsl:when test="$code = 'other_all'">Прочее</xsl:when>
      <xsl:when test="$code = 'comics'">Комиксы</xsl:when>
      <xsl:when test="$code = 'military_all'">Военное дело</xsl:when>
      <xsl:when test="$code = 'tbg_higher'">Учебники и пособия для вузов</xsl:when>
      <xsl:when test="$code = 'tbg_secondary'">Учебники и пособия для среднего и специального образования</xsl:when>
      <xsl:when test="$code = 'tbg_computers'">Учебные пособия, самоучители</xsl:when>
      <xsl:when test="$code = 'tbg_school'">Школьные учебники и пособия</xsl:when>
      <xsl:when test="$code = 'tale_chivalry'">Рыцарский роман</xsl:when>
      <xsl:when test="$code = 'architecture'">Искусство и дизайн</xsl:when>
      <xsl:when test="$code = 'art'">Искусство и дизайн</xsl:when>
      <xsl:when test="$code = 'art_instr'">Искусство и дизайн</xsl:when>
      <xsl:when test="$code = 'artists'">Искусство и дизайн</xsl:when>
      <xsl:when test="$code = 'biogr_arts'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biogr_ethnic'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biogr_family'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biogr_historical'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biogr_leaders'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biogr_professionals'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biogr_sports'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biogr_travel'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biography'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biz_accounting'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_beogr'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'biz_careers'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_economics'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_finance'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_international'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_investing'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_life'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_management'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_personal_fin'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_professions'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_ref'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_sales'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'biz_small_biz'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'child_3'">Сказки</xsl:when>
      <xsl:when test="$code = 'child_4'">Детская проза</xsl:when>
      <xsl:when test="$code = 'child_9'">Детская проза</xsl:when>
      <xsl:when test="$code = 'child_animals'">Природа и животные</xsl:when>
      <xsl:when test="$code = 'child_art'">Детская литература</xsl:when>
      <xsl:when test="$code = 'child_characters'">Детская проза</xsl:when>
      <xsl:when test="$code = 'child_computers'">Околокомпьютерная литература</xsl:when>
      <xsl:when test="$code = 'child_edu'">Детская образовательная литература</xsl:when>
      <xsl:when test="$code = 'child_history'">Детская проза</xsl:when>
      <xsl:when test="$code = 'child_nature'">Детская образовательная литература</xsl:when>
      <xsl:when test="$code = 'child_obsessions'">Детская литература</xsl:when>
      <xsl:when test="$code = 'child_people'">Детская литература</xsl:when>
      <xsl:when test="$code = 'child_ref'">Детская литература</xsl:when>
      <xsl:when test="$code = 'child_religion'">Религия</xsl:when>
      <xsl:when test="$code = 'child_series'">Детская литература</xsl:when>
      <xsl:when test="$code = 'child_sports'">Детская литература</xsl:when>
      <xsl:when test="$code = 'chris_bibles'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_catholicism'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_clergy'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_devotion'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_edu'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_evangelism'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_fiction'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_history'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_holidays'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_jesus'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_living'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_mormonism'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_orthodoxy'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_pravoslavie'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_protestantism'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_ref'">Религия</xsl:when>
      <xsl:when test="$code = 'chris_theology'">Религия</xsl:when>
      <xsl:when test="$code = 'comp_biz'">Околокомпьютерная литература</xsl:when>
      <xsl:when test="$code = 'comp_cert'">Околокомпьютерная литература</xsl:when>
      <xsl:when test="$code = 'comp_games'">Околокомпьютерная литература</xsl:when>
      <xsl:when test="$code = 'comp_graph'">Околокомпьютерная литература</xsl:when>
      <xsl:when test="$code = 'comp_hardware'">Компьютерное железо</xsl:when>
      <xsl:when test="$code = 'comp_microsoft'">ОС и сети</xsl:when>
      <xsl:when test="$code = 'comp_networking'">ОС и сети</xsl:when>
      <xsl:when test="$code = 'comp_office'">Околокомпьютерная литература</xsl:when>
      <xsl:when test="$code = 'comp_os'">ОС и сети</xsl:when>
      <xsl:when test="$code = 'comp_sci'">Околокомпьютерная литература</xsl:when>
      <xsl:when test="$code = 'comp_software'">Программы</xsl:when>
      <xsl:when test="$code = 'compusers'">Околокомпьютерная литература</xsl:when>
      <xsl:when test="$code = 'cook_appliances'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_art'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_baking'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_can'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_diet'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_drink'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_gastronomy'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_meals'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_natura'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_outdoor'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_pro'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_quick'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_ref'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_regional'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_spec'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cook_veget'">Кулинария</xsl:when>
      <xsl:when test="$code = 'cooking'">Кулинария</xsl:when>
      <xsl:when test="$code = 'entert_comics'">Развлечения</xsl:when>
      <xsl:when test="$code = 'entert_games'">Развлечения</xsl:when>
      <xsl:when test="$code = 'entert_humor'">Развлечения</xsl:when>
      <xsl:when test="$code = 'entert_movies'">Развлечения</xsl:when>
      <xsl:when test="$code = 'entert_music'">Развлечения</xsl:when>
      <xsl:when test="$code = 'entert_radio'">Развлечения</xsl:when>
      <xsl:when test="$code = 'entert_tv'">Развлечения</xsl:when>
      <xsl:when test="$code = 'entertainment'">Развлечения</xsl:when>
      <xsl:when test="$code = 'family_activities'">Домоводство</xsl:when>
      <xsl:when test="$code = 'family_adoption'">Домоводство</xsl:when>
      <xsl:when test="$code = 'family_aging_parents'">Домоводство</xsl:when>
      <xsl:when test="$code = 'family_edu'">Домоводство</xsl:when>
      <xsl:when test="$code = 'family_fertility'">Здоровье</xsl:when>
      <xsl:when test="$code = 'family_health'">Здоровье</xsl:when>
      <xsl:when test="$code = 'family_humor'">Юмор</xsl:when>
      <xsl:when test="$code = 'family_lit_guide'">Домоводство</xsl:when>
      <xsl:when test="$code = 'family_parenting'">Здоровье</xsl:when>
      <xsl:when test="$code = 'family_pregnancy'">Здоровье</xsl:when>
      <xsl:when test="$code = 'family_ref'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'family_relations'">Домоводство</xsl:when>
      <xsl:when test="$code = 'family_special_needs'">Здоровье</xsl:when>
      <xsl:when test="$code = 'fashion'">Искусство и дизайн</xsl:when>
      <xsl:when test="$code = 'gaming'">Научная фантастика</xsl:when>
      <xsl:when test="$code = 'gay_biogr'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'gay_mystery'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'gay_nonfiction'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'gay_parenting'">Домоводство</xsl:when>
      <xsl:when test="$code = 'gay_travel'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'graph_design'">Искусство и дизайн</xsl:when>
      <xsl:when test="$code = 'health'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_aging'">Медицина</xsl:when>
      <xsl:when test="$code = 'health_alt_medicine'">Медицина</xsl:when>
      <xsl:when test="$code = 'health_beauty'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_cancer'">Медицина</xsl:when>
      <xsl:when test="$code = 'health_death'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_dideases'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_diets'">Кулинария</xsl:when>
      <xsl:when test="$code = 'health_first_aid'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_fitness'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_men'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_mental'">Психология</xsl:when>
      <xsl:when test="$code = 'health_nutrition'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_personal'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_psy'">Психология</xsl:when>
      <xsl:when test="$code = 'health_recovery'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_ref'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_self_help'">Здоровье</xsl:when>
      <xsl:when test="$code = 'health_sex'">Эротика и секс</xsl:when>
      <xsl:when test="$code = 'health_women'">Здоровье</xsl:when>
      <xsl:when test="$code = 'histor_military'">История</xsl:when>
      <xsl:when test="$code = 'history_africa'">История</xsl:when>
      <xsl:when test="$code = 'history_america'">История</xsl:when>
      <xsl:when test="$code = 'history_ancient'">История</xsl:when>
      <xsl:when test="$code = 'history_asia'">История</xsl:when>
      <xsl:when test="$code = 'history_australia'">История</xsl:when>
      <xsl:when test="$code = 'history_europe'">История</xsl:when>
      <xsl:when test="$code = 'history_gay'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'history_jewish'">История</xsl:when>
      <xsl:when test="$code = 'history_middle_east'">История</xsl:when>
      <xsl:when test="$code = 'history_military_science'">История</xsl:when>
      <xsl:when test="$code = 'history_russia'">История</xsl:when>
      <xsl:when test="$code = 'history_study'">История</xsl:when>
      <xsl:when test="$code = 'history_usa'">История</xsl:when>
      <xsl:when test="$code = 'history_world'">История</xsl:when>
      <xsl:when test="$code = 'home_collect'">Хобби и ремесла</xsl:when>
      <xsl:when test="$code = 'home_cottage'">Домоводство</xsl:when>
      <xsl:when test="$code = 'home_design'">Сделай сам</xsl:when>
      <xsl:when test="$code = 'home_expert'">Сделай сам</xsl:when>
      <xsl:when test="$code = 'home_howto'">Сделай сам</xsl:when>
      <xsl:when test="$code = 'home_interior_design'">Сделай сам</xsl:when>
      <xsl:when test="$code = 'home_weddings'">Домоводство</xsl:when>
      <xsl:when test="$code = 'horror'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_antology'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_british'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_erotic'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_fantasy'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_ghosts'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_graphic'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_occult'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_ref'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_usa'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'horror_vampires'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'literature'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_adv'">Прочие приключения</xsl:when>
      <xsl:when test="$code = 'literature_antology'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_books'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_british'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_classics'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_critic'">Историческая проза</xsl:when>
      <xsl:when test="$code = 'literature_drama'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_erotica'">Эротика</xsl:when>
      <xsl:when test="$code = 'literature_essay'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_fairy'">Сказки</xsl:when>
      <xsl:when test="$code = 'literature_gay'">Контркультура</xsl:when>
      <xsl:when test="$code = 'literature_history'">Историческая проза</xsl:when>
      <xsl:when test="$code = 'literature_letters'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'literature_men_advent'">Прочие приключения</xsl:when>
      <xsl:when test="$code = 'literature_poetry'">Поэзия</xsl:when>
      <xsl:when test="$code = 'literature_political'">Современная проза</xsl:when>
      <xsl:when test="$code = 'literature_religion'">Религия</xsl:when>
      <xsl:when test="$code = 'literature_rus_classic'">Русская классика</xsl:when>
      <xsl:when test="$code = 'literature_rus_classsic'">Русская классика</xsl:when>
      <xsl:when test="$code = 'literature_saga'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_sea'">Морские приключения</xsl:when>
      <xsl:when test="$code = 'literature_short'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_sports'">Спорт</xsl:when>
      <xsl:when test="$code = 'literature_su_classics'">Советская классика</xsl:when>
      <xsl:when test="$code = 'literature_usa'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'literature_war'">Современная проза</xsl:when>
      <xsl:when test="$code = 'literature_western'">Вестерны</xsl:when>
      <xsl:when test="$code = 'literature_women'">Современные любовные романы</xsl:when>
      <xsl:when test="$code = 'literature_world'">Классическая проза</xsl:when>
      <xsl:when test="$code = 'nonfiction_antropology'">История</xsl:when>
      <xsl:when test="$code = 'nonfiction_avto'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_crime'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_demography'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_edu'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_emigration'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_ethnology'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_events'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_folklor'">Мифы. Легенды. Эпос</xsl:when>
      <xsl:when test="$code = 'nonfiction_gender'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_gerontology'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_gov'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_holidays'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_hum_geogr'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_law'">Юриспруденция</xsl:when>
      <xsl:when test="$code = 'nonfiction_methodology'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_philantropy'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_philosophy'">Философия</xsl:when>
      <xsl:when test="$code = 'nonfiction_politics'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_pop_culture'">Развлечения</xsl:when>
      <xsl:when test="$code = 'nonfiction_pornography'">Эротика и секс</xsl:when>
      <xsl:when test="$code = 'nonfiction_racism'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_ref'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_research'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_social_sci'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_social_work'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_sociology'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_spec_group'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_stat'">Научная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_traditions'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_transportation'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_true_accounts'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_urban'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'nonfiction_women'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'outdoors_birdwatching'">Биология</xsl:when>
      <xsl:when test="$code = 'outdoors_conservation'">Документальная литература</xsl:when>
      <xsl:when test="$code = 'outdoors_ecology'">Биология</xsl:when>
      <xsl:when test="$code = 'outdoors_ecosystems'">Биология</xsl:when>
      <xsl:when test="$code = 'outdoors_env'">Биология</xsl:when>
      <xsl:when test="$code = 'outdoors_fauna'">Биология</xsl:when>
      <xsl:when test="$code = 'outdoors_field_guides'">Путеводители</xsl:when>
      <xsl:when test="$code = 'outdoors_flora'">Биология</xsl:when>
      <xsl:when test="$code = 'outdoors_hiking'">Хобби и ремесла</xsl:when>
      <xsl:when test="$code = 'outdoors_hunt_fish'">Хобби и ремесла</xsl:when>
      <xsl:when test="$code = 'outdoors_nature_writing'">Биология</xsl:when>
      <xsl:when test="$code = 'outdoors_outdoor_recreation'">Спорт</xsl:when>
      <xsl:when test="$code = 'outdoors_ref'">Биология</xsl:when>
      <xsl:when test="$code = 'outdoors_resources'">Научная литература</xsl:when>
      <xsl:when test="$code = 'outdoors_survive'">Спорт</xsl:when>
      <xsl:when test="$code = 'outdoors_travel'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'people'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'performance'">Драматургия</xsl:when>
      <xsl:when test="$code = 'photography'">Искусство и дизайн</xsl:when>
      <xsl:when test="$code = 'professional_edu'">Научная литература</xsl:when>
      <xsl:when test="$code = 'professional_enginering'">Технические науки</xsl:when>
      <xsl:when test="$code = 'professional_finance'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'professional_law'">Юриспруденция</xsl:when>
      <xsl:when test="$code = 'professional_management'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'professional_medical'">Медицина</xsl:when>
      <xsl:when test="$code = 'professional_sci'">Технические науки</xsl:when>
      <xsl:when test="$code = 'ref_almanacs'">Справочники</xsl:when>
      <xsl:when test="$code = 'ref_books'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'ref_careers'">Справочники</xsl:when>
      <xsl:when test="$code = 'ref_catalogs'">Справочники</xsl:when>
      <xsl:when test="$code = 'ref_cons_guides'">Справочники</xsl:when>
      <xsl:when test="$code = 'ref_edu'">Деловая литература</xsl:when>
      <xsl:when test="$code = 'ref_encyclopedia'">Энциклопедии</xsl:when>
      <xsl:when test="$code = 'ref_etiquette'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'ref_fun'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'ref_genealogy'">История</xsl:when>
      <xsl:when test="$code = 'ref_langs'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'ref_quotations'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'ref_study_guides'">Справочники</xsl:when>
      <xsl:when test="$code = 'ref_words'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'ref_writing'">Современная проза</xsl:when>
      <xsl:when test="$code = 'references'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'religion_bibles'">Религия</xsl:when>
      <xsl:when test="$code = 'religion_buddhism'">Религиозная литература</xsl:when>
      <xsl:when test="$code = 'religion_earth'">Религиозная литература</xsl:when>
      <xsl:when test="$code = 'religion_east'">Религиозная литература</xsl:when>
      <xsl:when test="$code = 'religion_fiction'">Религия</xsl:when>
      <xsl:when test="$code = 'religion_new_age'">Религия</xsl:when>
      <xsl:when test="$code = 'religion_occult'">Эзотерика</xsl:when>
      <xsl:when test="$code = 'religion_other'">Религиозная литература</xsl:when>
      <xsl:when test="$code = 'religion_religious_studies'">Религия</xsl:when>
      <xsl:when test="$code = 'religion_spirituality'">Эзотерика</xsl:when>
      <xsl:when test="$code = 'romance'">Современные любовные романы</xsl:when>
      <xsl:when test="$code = 'romance_anthologies'">Современные любовные романы</xsl:when>
      <xsl:when test="$code = 'romance_contemporary'">Современные любовные романы</xsl:when>
      <xsl:when test="$code = 'romance_fantasy'">Фэнтези</xsl:when>
      <xsl:when test="$code = 'romance_historical'">Исторические любовные романы</xsl:when>
      <xsl:when test="$code = 'romance_multicultural'">Современные любовные романы</xsl:when>
      <xsl:when test="$code = 'romance_regency'">Исторические любовные романы</xsl:when>
      <xsl:when test="$code = 'romance_religion'">Религия</xsl:when>
      <xsl:when test="$code = 'romance_romantic_suspense'">Современные любовные романы</xsl:when>
      <xsl:when test="$code = 'romance_series'">Современные любовные романы</xsl:when>
      <xsl:when test="$code = 'romance_sf'">Фэнтези</xsl:when>
      <xsl:when test="$code = 'romance_time_travel'">Фэнтези</xsl:when>
      <xsl:when test="$code = 'science_agri'">Научная литература</xsl:when>
      <xsl:when test="$code = 'science_archaeology'">История</xsl:when>
      <xsl:when test="$code = 'science_astronomy'">Научная литература</xsl:when>
      <xsl:when test="$code = 'science_behavioral_sciences'">Психология</xsl:when>
      <xsl:when test="$code = 'science_biolog'">Биология</xsl:when>
      <xsl:when test="$code = 'science_chemistry'">Химия</xsl:when>
      <xsl:when test="$code = 'science_earth'">Научная литература</xsl:when>
      <xsl:when test="$code = 'science_eco'">Научная литература</xsl:when>
      <xsl:when test="$code = 'science_edu'">Научная литература</xsl:when>
      <xsl:when test="$code = 'science_evolution'">Научная литература</xsl:when>
      <xsl:when test="$code = 'science_history_philosophy'">История</xsl:when>
      <xsl:when test="$code = 'science_math'">Математика</xsl:when>
      <xsl:when test="$code = 'science_measurement'">Научная литература</xsl:when>
      <xsl:when test="$code = 'science_medicine'">Медицина</xsl:when>
      <xsl:when test="$code = 'science_physics'">Физика</xsl:when>
      <xsl:when test="$code = 'science_psy'">Психология</xsl:when>
      <xsl:when test="$code = 'science_ref'">Научная литература</xsl:when>
      <xsl:when test="$code = 'science_technology'">Технические науки</xsl:when>
      <xsl:when test="$code = 'sf_cyber_punk'">Киберпанк</xsl:when>
      <xsl:when test="$code = 'sf_writing'">Научная фантастика</xsl:when>
      <xsl:when test="$code = 'sport'">Спорт</xsl:when>
      <xsl:when test="$code = 'teens_beogr'">Биографии и мемуары</xsl:when>
      <xsl:when test="$code = 'teens_health'">Спорт</xsl:when>
      <xsl:when test="$code = 'teens_history'">Детские приключения</xsl:when>
      <xsl:when test="$code = 'teens_horror'">Ужасы и мистика</xsl:when>
      <xsl:when test="$code = 'teens_literature'">Детская проза</xsl:when>
      <xsl:when test="$code = 'teens_mysteries'">Детективная фантастика</xsl:when>
      <xsl:when test="$code = 'teens_ref'">Справочная литература</xsl:when>
      <xsl:when test="$code = 'teens_religion'">Религия</xsl:when>
      <xsl:when test="$code = 'teens_school_sports'">Спорт</xsl:when>
      <xsl:when test="$code = 'teens_series'">Детские приключения</xsl:when>
      <xsl:when test="$code = 'teens_sf'">Детская фантастика</xsl:when>
      <xsl:when test="$code = 'teens_social'">Психология</xsl:when>
      <xsl:when test="$code = 'teens_tech'">Научная литература</xsl:when>
      <xsl:when test="$code = 'thriller_mystery'">Триллеры</xsl:when>
      <xsl:when test="$code = 'thriller_police'">Полицейские детективы</xsl:when>
      <xsl:when test="$code = 'travel'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_africa'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_asia'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_australia'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_canada'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_caribbean'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_europe'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_ex_ussr'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_guidebook_series'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_lat_am'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_middle_east'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_polar'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_rus'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_spec'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'travel_usa'">Путешествия и география</xsl:when>
      <xsl:when test="$code = 'women_child'">Домоводство</xsl:when>
      <xsl:when test="$code = 'women_divorce'">Домоводство</xsl:when>
      <xsl:when test="$code = 'women_domestic'">Домоводство</xsl:when>
      <xsl:when test="$code = 'women_single'">Домоводство</xsl:when>
      <xsl:otherwise><xsl:value-of select="$code"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <!-- END GENRE NAMES -->
</xsl:stylesheet>
