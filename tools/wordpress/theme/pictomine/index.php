<?php
// Every page of the catalogue. A result page (front page, search, archive) lists each post as one
// link around its thumbnail and title; the only other links are the pagination's, which carry no
// year. A post page shows the full-size picture, its tags and where it comes from.
?><!DOCTYPE html>
<html <?php language_attributes(); ?>>
<head>
<meta charset="<?php bloginfo('charset'); ?>">
<?php wp_head(); ?>
</head>
<body>
<h1><?php bloginfo('name'); ?></h1>
<?php if (is_singular()) : ?>
    <?php while (have_posts()) : the_post(); ?>
        <article class="post">
            <h2><?php the_title(); ?></h2>
            <?php the_post_thumbnail('full'); ?>
            <?php the_content(); ?>
        </article>
    <?php endwhile; ?>
<?php elseif (have_posts()) : ?>
    <ul class="icons">
    <?php while (have_posts()) : the_post(); ?>
        <li><a href="<?php the_permalink(); ?>"><?php the_post_thumbnail('thumbnail'); ?><span><?php the_title(); ?></span></a></li>
    <?php endwhile; ?>
    </ul>
    <?php the_posts_pagination(['mid_size' => 2]); ?>
<?php else : ?>
    <p><?php esc_html_e('Nothing found.'); ?></p>
<?php endif; ?>
</body>
</html>
